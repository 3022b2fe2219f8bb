/* Vendolux viewer component, interface 1 */
/* vendolux.js: turns the page's slot elements (class "vendolux-slot") into the widgets the
 * wizard draws in them: a report list, a date picker ("yyyy/MM/dd"), a time picker
 * ("HH:mm:ss") and a video surface. Driven by the page shim on behalf of the window thread. */
(function () {
  'use strict';
  if (window.Vendolux) return;

  const STYLE = `
:host { display: block; position: relative; overflow: hidden; font: 14px Arial, Helvetica, sans-serif; color: #0f172a; }
.vx-fill { position: absolute; inset: 0; box-sizing: border-box; }
.vx-list { display: flex; flex-direction: column; border: 1px solid #cbd5e1; background: #fff; outline: none; }
.vx-list:focus-visible { box-shadow: 0 0 0 3px rgba(37, 99, 235, .3); }
.vx-head { display: flex; flex: none; overflow: hidden; background: #f1f5f9; border-bottom: 1px solid #cbd5e1; user-select: none; }
.vx-hcell { flex: none; box-sizing: border-box; padding: 5px 8px; border-right: 1px solid #cbd5e1; font-weight: 600;
  white-space: nowrap; overflow: hidden; text-overflow: ellipsis; cursor: default; }
.vx-hcell:active { background: #e2e8f0; }
.vx-body { flex: 1; overflow: auto; }
.vx-rows { display: inline-block; min-width: 100%; }
.vx-row { display: flex; border-bottom: 1px solid #e2e8f0; cursor: default; user-select: none; }
.vx-cell { flex: none; box-sizing: border-box; padding: 4px 8px; border-right: 1px solid #e2e8f0;
  white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
.vx-row.vx-sel { background: #cbd5e1; }
.vx-list:focus .vx-row.vx-sel { background: #2563eb; color: #fff; }
.vx-picker { display: flex; align-items: center; gap: 0; padding: 0 4px 0 8px; border: 1px solid #cbd5e1; border-radius: 6px;
  background: #fff; font-variant-numeric: tabular-nums; }
.vx-picker:focus-within { border-color: #2563eb; box-shadow: 0 0 0 3px rgba(37, 99, 235, .25); }
.vx-seg { padding: 1px 1px; border-radius: 3px; outline: none; cursor: text; }
.vx-seg:focus { background: #2563eb; color: #fff; }
.vx-sep { color: #64748b; }
.vx-grow { flex: 1; }
.vx-btn { border: 0; background: transparent; color: #334155; cursor: pointer; padding: 0 6px; font-size: 11px; line-height: 1; }
.vx-btn:hover { color: #2563eb; }
.vx-spin { display: flex; flex-direction: column; justify-content: center; }
.vx-spin .vx-btn { height: 11px; }
.vx-cal { position: fixed; z-index: 2147482000; background: #fff; border: 1px solid #cbd5e1; border-radius: 10px;
  box-shadow: 0 12px 28px rgba(15, 23, 42, .2); padding: 8px; font-size: 13px; }
.vx-cal-head { display: flex; align-items: center; justify-content: space-between; margin-bottom: 6px; font-weight: 600; }
.vx-cal-grid { display: grid; grid-template-columns: repeat(7, 30px); gap: 2px; text-align: center; }
.vx-cal-dow { color: #64748b; font-size: 11px; }
.vx-cal-day { border: 0; background: transparent; border-radius: 6px; height: 26px; cursor: pointer; font: inherit; }
.vx-cal-day:hover { background: #e2e8f0; }
.vx-cal-day.vx-on { background: #2563eb; color: #fff; }
.vx-cal-day:disabled { color: #cbd5e1; cursor: default; background: transparent; }
.vx-video { background: #000; display: flex; align-items: center; justify-content: center; }
.vx-video img { max-width: 100%; max-height: 100%; object-fit: contain; }
`;

  const slots = new WeakMap(); // slot element -> { root, widget }
  const api = { onEvent: null };

  function h(tag, cls, text) {
    const el = document.createElement(tag);
    if (cls) el.className = cls;
    if (text != null) el.textContent = String(text);
    return el;
  }
  function emit(slot, ev, data) {
    if (typeof api.onEvent === 'function') api.onEvent(slot.id, ev, data);
  }

  // The slot's own drawing surface: a shadow root filled by at most one widget.
  function realise(slot) {
    let state = slots.get(slot);
    if (!state) {
      if (slot.shadowRoot) return false;
      const root = slot.attachShadow({ mode: 'open' });
      const style = document.createElement('style');
      style.textContent = STYLE;
      root.append(style);
      state = { root, widget: null };
      slots.set(slot, state);
    }
    return { width: slot.clientWidth, height: slot.clientHeight };
  }

  function mount(slot, widget) {
    const state = slots.get(slot);
    if (!state) return false;
    if (state.widget && state.widget.destroy) state.widget.destroy();
    state.root.querySelectorAll('.vx-fill').forEach((el) => el.remove());
    state.widget = widget;
    if (widget) state.root.append(widget.el);
    return {};
  }

  // ------------------------------------------------------------------ report list
  function createList(slot, args) {
    const columns = (args.columns || []).map((c) => ({ heading: String(c.heading || ''), width: Math.max(0, c.width | 0) }));
    const el = h('div', 'vx-fill vx-list');
    el.tabIndex = 0;
    const head = h('div', 'vx-head');
    const body = h('div', 'vx-body');
    const rowsEl = h('div', 'vx-rows');
    body.append(rowsEl);
    el.append(head, body);
    let rows = []; // { texts, data }
    let selected = -1;

    columns.forEach((c, i) => {
      const cell = h('div', 'vx-hcell', c.heading);
      cell.style.width = c.width + 'px';
      cell.addEventListener('mousedown', (e) => {
        if (e.button !== 0) return;
        const r = cell.getBoundingClientRect();
        emit(slot, 'headerpress', { column: i, x: Math.floor(e.clientX - r.left), width: Math.round(r.width) });
      });
      head.append(cell);
    });
    body.addEventListener('scroll', () => { head.scrollLeft = body.scrollLeft; });

    function render() {
      rowsEl.textContent = '';
      rows.forEach((row, r) => {
        const line = h('div', 'vx-row' + (r === selected ? ' vx-sel' : ''));
        columns.forEach((c, i) => {
          const cell = h('div', 'vx-cell', row.texts[i] == null ? '' : row.texts[i]);
          cell.style.width = c.width + 'px';
          line.append(cell);
        });
        line.dataset.row = String(r);
        rowsEl.append(line);
      });
    }
    function select(r) {
      selected = r >= 0 && r < rows.length ? r : -1;
      rowsEl.querySelectorAll('.vx-row').forEach((line, i) => line.classList.toggle('vx-sel', i === selected));
      const line = rowsEl.children[selected];
      if (line) line.scrollIntoView({ block: 'nearest' });
    }
    const rowAt = (target) => {
      const line = target.closest && target.closest('.vx-row');
      return line ? Number(line.dataset.row) : -1;
    };
    body.addEventListener('mousedown', (e) => {
      if (e.button !== 0) return;
      const r = rowAt(e.target);
      if (r >= 0) select(r);
    });
    body.addEventListener('dblclick', (e) => emit(slot, 'dblclick', { row: rowAt(e.target) }));
    el.addEventListener('keydown', (e) => {
      if (!rows.length) return;
      if (e.key === 'ArrowDown') select(Math.min(rows.length - 1, selected + 1));
      else if (e.key === 'ArrowUp') select(Math.max(0, selected - 1));
      else if (e.key === 'Home') select(0);
      else if (e.key === 'End') select(rows.length - 1);
      else return;
      e.preventDefault();
    });

    const methods = {
      insertRow(a) {
        const row = { texts: (a.texts || []).map(String), data: Number(a.data) || 0 };
        const at = a.index >= 0 && a.index <= rows.length ? a.index : rows.length;
        rows.splice(at, 0, row);
        if (selected >= at) selected++;
        render();
        return { index: at };
      },
      deleteAllRows() { rows = []; selected = -1; render(); return {}; },
      getRows() { return { rows: rows.map((r) => ({ texts: r.texts.slice(), data: r.data })) }; },
      setRows(a) {
        const before = rows[selected];
        rows = (a.rows || []).map((r) => ({ texts: (r.texts || []).map(String), data: Number(r.data) || 0 }));
        // The selection follows the row that was selected (same texts).
        selected = before ? rows.findIndex((r) => r.texts.join('\u0000') === before.texts.join('\u0000')) : -1;
        render();
        return {};
      },
      getSelected() { return { row: selected }; },
      selectRow(a) {
        if (a.row < -1 || a.row >= rows.length) return false;
        select(a.row);
        return {};
      },
      focus() { el.focus(); return {}; },
      headerRect(a) {
        const cell = head.children[a.column];
        if (!cell) return false;
        // In the list's client coordinates (inside its border), as a header control reports.
        const base = el.getBoundingClientRect();
        const r = cell.getBoundingClientRect();
        const left = Math.round(r.left - base.left - el.clientLeft);
        const top = Math.round(r.top - base.top - el.clientTop);
        return { left, top, right: left + Math.round(r.width), bottom: top + Math.round(r.height) };
      },
    };
    return { kind: 'list', el, methods, focus: () => el.focus() };
  }

  // ------------------------------------------------------------------ date and time pickers
  const pad = (n, w) => String(n).padStart(w, '0');
  const daysIn = (y, m) => new Date(y, m, 0).getDate();
  const dateKey = (v) => v.year * 10000 + v.month * 100 + v.day;

  function createPicker(slot, kind, args) {
    const isDate = kind === 'date';
    const fields = isDate
      ? [{ f: 'year', w: 4, min: 1601, max: 9999 }, { f: 'month', w: 2, min: 1, max: 12 }, { f: 'day', w: 2, min: 1, max: 31 }]
      : [{ f: 'hour', w: 2, min: 0, max: 23 }, { f: 'minute', w: 2, min: 0, max: 59 }, { f: 'second', w: 2, min: 0, max: 59 }];
    const sep = isDate ? '/' : ':';
    const range = isDate ? { min: norm(args.min), max: norm(args.max) } : null;
    const now = new Date();
    let value = isDate
      ? { year: now.getFullYear(), month: now.getMonth() + 1, day: now.getDate(), hour: 0, minute: 0, second: 0 }
      : { year: 0, month: 0, day: 0, hour: now.getHours(), minute: now.getMinutes(), second: now.getSeconds() };
    if (range) value = clamp(value);

    function norm(v) {
      if (!v || !v.year) return null;
      return { year: v.year | 0, month: v.month | 0, day: v.day | 0 };
    }
    function clamp(v) {
      if (range.min && dateKey(v) < dateKey(range.min)) return Object.assign({}, v, range.min);
      if (range.max && dateKey(v) > dateKey(range.max)) return Object.assign({}, v, range.max);
      return v;
    }
    function valid(v) {
      if (isDate) {
        if (v.month < 1 || v.month > 12 || v.day < 1 || v.day > daysIn(v.year, v.month)) return false;
        if (range.min && dateKey(v) < dateKey(range.min)) return false;
        return !(range.max && dateKey(v) > dateKey(range.max));
      }
      return v.hour >= 0 && v.hour < 24 && v.minute >= 0 && v.minute < 60 && v.second >= 0 && v.second < 60;
    }

    const el = h('div', 'vx-fill vx-picker');
    const segs = [];
    fields.forEach((spec, i) => {
      if (i) el.append(h('span', 'vx-sep', sep));
      const seg = h('span', 'vx-seg');
      seg.tabIndex = i === 0 ? 0 : -1;
      seg.setAttribute('role', 'spinbutton');
      seg.setAttribute('aria-label', spec.f);
      segs.push(seg);
      el.append(seg);
    });
    el.append(h('span', 'vx-grow'));
    let active = 0;
    let typed = '';

    function show() {
      fields.forEach((spec, i) => { segs[i].textContent = pad(value[spec.f], spec.w); });
    }
    function set(next) {
      if (isDate) next.day = Math.min(next.day, daysIn(next.year, next.month));
      value = range ? clamp(next) : next;
      show();
    }
    function step(delta) {
      const spec = fields[active];
      const next = Object.assign({}, value);
      let n = next[spec.f] + delta;
      const max = spec.f === 'day' ? daysIn(next.year, next.month) : spec.max;
      if (n > max) n = spec.min;
      if (n < spec.min) n = max;
      next[spec.f] = n;
      set(next);
    }
    function focusSeg(i) {
      active = Math.max(0, Math.min(fields.length - 1, i));
      typed = '';
      segs.forEach((s, k) => { s.tabIndex = k === active ? 0 : -1; });
      segs[active].focus();
    }
    segs.forEach((seg, i) => {
      seg.addEventListener('focus', () => { active = i; typed = ''; });
      seg.addEventListener('mousedown', (e) => { e.preventDefault(); focusSeg(i); });
      seg.addEventListener('keydown', (e) => {
        const spec = fields[i];
        if (e.key === 'ArrowUp' || e.key === 'ArrowDown') step(e.key === 'ArrowUp' ? 1 : -1);
        else if (e.key === 'ArrowLeft') focusSeg(i - 1);
        else if (e.key === 'ArrowRight' || (e.key === sep)) focusSeg(i + 1);
        else if (e.key === 'Backspace') typed = typed.slice(0, -1);
        else if (/^[0-9]$/.test(e.key)) {
          typed += e.key;
          const n = Number(typed);
          if (typed.length >= spec.w || n * 10 > spec.max) {
            const next = Object.assign({}, value);
            next[spec.f] = Math.min(Math.max(n, spec.min), spec.max);
            set(next);
            if (i < fields.length - 1) focusSeg(i + 1);
            else typed = '';
          } else {
            segs[i].textContent = pad(typed, spec.w);
          }
        } else return;
        e.preventDefault();
      });
    });

    if (isDate) {
      const drop = h('button', 'vx-btn', '\u25be');
      drop.type = 'button';
      drop.tabIndex = -1;
      drop.setAttribute('aria-label', 'Calendar');
      drop.addEventListener('click', () => toggleCalendar());
      el.append(drop);
    } else {
      const spin = h('div', 'vx-spin');
      for (const [label, d] of [['\u25b4', 1], ['\u25be', -1]]) {
        const b = h('button', 'vx-btn', label);
        b.type = 'button';
        b.tabIndex = -1;
        b.addEventListener('mousedown', (e) => { e.preventDefault(); step(d); segs[active].focus(); });
        spin.append(b);
      }
      el.append(spin);
    }

    // A month grid under the date picker.
    let cal = null;
    function toggleCalendar() {
      if (cal) return closeCalendar();
      let shown = { year: value.year, month: value.month };
      cal = h('div', 'vx-cal');
      const render = () => {
        cal.textContent = '';
        const head = h('div', 'vx-cal-head');
        const prev = h('button', 'vx-btn', '\u25c2');
        const next = h('button', 'vx-btn', '\u25b8');
        prev.addEventListener('click', () => { shown = shown.month === 1 ? { year: shown.year - 1, month: 12 } : { year: shown.year, month: shown.month - 1 }; render(); });
        next.addEventListener('click', () => { shown = shown.month === 12 ? { year: shown.year + 1, month: 1 } : { year: shown.year, month: shown.month + 1 }; render(); });
        head.append(prev, h('span', '', shown.year + '/' + pad(shown.month, 2)), next);
        const grid = h('div', 'vx-cal-grid');
        ['Su', 'Mo', 'Tu', 'We', 'Th', 'Fr', 'Sa'].forEach((d) => grid.append(h('span', 'vx-cal-dow', d)));
        const first = new Date(shown.year, shown.month - 1, 1).getDay();
        for (let i = 0; i < first; i++) grid.append(h('span'));
        for (let d = 1; d <= daysIn(shown.year, shown.month); d++) {
          const day = { year: shown.year, month: shown.month, day: d };
          const b = h('button', 'vx-cal-day' + (dateKey(day) === dateKey(value) ? ' vx-on' : ''), d);
          b.type = 'button';
          b.disabled = (range.min && dateKey(day) < dateKey(range.min)) || (range.max && dateKey(day) > dateKey(range.max));
          b.addEventListener('click', () => { set(Object.assign({}, value, day)); closeCalendar(); segs[active].focus(); });
          grid.append(b);
        }
        cal.append(head, grid);
      };
      render();
      const r = el.getBoundingClientRect();
      cal.style.left = Math.round(r.left) + 'px';
      cal.style.top = Math.round(r.bottom + 4) + 'px';
      slots.get(slot).root.append(cal);
      setTimeout(() => document.addEventListener('mousedown', outside, true));
    }
    function outside(e) {
      if (!e.composedPath().includes(cal) && !e.composedPath().includes(el)) closeCalendar();
    }
    function closeCalendar() {
      if (!cal) return;
      cal.remove();
      cal = null;
      document.removeEventListener('mousedown', outside, true);
    }

    show();
    const methods = {
      setValue(a) {
        const next = Object.assign({}, value);
        for (const spec of fields) next[spec.f] = a[spec.f] | 0;
        if (!valid(next)) return false;
        value = next;
        show();
        return {};
      },
      getValue() {
        const out = { year: 0, month: 0, day: 0, hour: 0, minute: 0, second: 0 };
        for (const spec of fields) out[spec.f] = value[spec.f];
        return out;
      },
      focus() { focusSeg(active); return {}; },
    };
    return { kind, el, methods, focus: () => focusSeg(active), destroy: closeCalendar };
  }

  // ------------------------------------------------------------------ video surface
  function createVideo(slot, args) {
    const el = h('div', 'vx-fill vx-video');
    const img = document.createElement('img');
    img.alt = '';
    img.src = String(args.src || '');
    el.append(img);
    return { kind: 'video', el, methods: {}, destroy: () => { img.removeAttribute('src'); } };
  }

  // ------------------------------------------------------------------ dispatch
  const creators = {
    createList: (slot, a) => createList(slot, a),
    createDatePicker: (slot, a) => (a.format === 'yyyy/MM/dd' ? createPicker(slot, 'date', a) : null),
    createTimePicker: (slot, a) => (a.format === 'HH:mm:ss' ? createPicker(slot, 'time', a) : null),
    createVideo: (slot, a) => (/^\/__torvel\/video\/\d+$/.test(String(a.src)) ? createVideo(slot, a) : null),
  };

  // Runs one slot request; false when the slot or its widget cannot do it.
  api.call = function (slot, method, args) {
    const state = slots.get(slot);
    if (!state) return false;
    if (creators[method]) {
      const widget = creators[method](slot, args || {});
      return widget ? mount(slot, widget) : false;
    }
    if (method === 'destroy') return mount(slot, null);
    const widget = state.widget;
    if (!widget || typeof widget.methods[method] !== 'function') return false;
    return widget.methods[method](args || {});
  };
  api.realise = realise;
  api.kind = (slot) => {
    const state = slots.get(slot);
    return state && state.widget ? state.widget.kind : '';
  };
  api.focus = (slot) => {
    const state = slots.get(slot);
    if (!state || !state.widget || !state.widget.focus) return false;
    state.widget.focus();
    return true;
  };
  window.Vendolux = api;
})();
