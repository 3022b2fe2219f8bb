/* shim.js: the page side of the wizard window. Injected into every served page: answers the
 * window thread's element operations, script calls and slot requests over the page socket,
 * reports page loads, element events and keys, and draws the modal dialogs and busy overlay. */
(function () {
  'use strict';
  if (window.__torvelShim) return;
  const shim = (window.__torvelShim = {});
  const inFrame = window.top !== window;

  // ---------------------------------------------------------------- element lookup and kinds
  let ownHost = null; // the shim's own element (dialogs, overlay): never found by id

  // The one element whose id or name is `id`; null when none or several match.
  function lookup(id) {
    if (typeof id !== 'string' || id === '') return null;
    let found = null;
    for (const el of document.getElementsByTagName('*')) {
      if (el === ownHost) continue;
      if (el.id === id || el.getAttribute('name') === id) {
        if (found) return null;
        found = el;
      }
    }
    return found;
  }

  const isTag = (el, ...tags) => !!el && tags.includes(el.tagName);
  const isCheckable = (el) => isTag(el, 'INPUT') && (el.type === 'checkbox' || el.type === 'radio');
  const isSlot = (el) => !!el && el.classList.contains('vendolux-slot');

  const TEXT_TYPES = ['text', 'password', 'search', 'email', 'tel', 'url', 'number', ''];
  function isEditable(el) {
    if (!el) return false;
    if (el.isContentEditable) return true;
    if (isTag(el, 'TEXTAREA')) return !el.readOnly && !el.disabled;
    return isTag(el, 'INPUT') && TEXT_TYPES.includes(el.type) && !el.readOnly && !el.disabled;
  }
  function isPicker(el) {
    return isSlot(el) && window.Vendolux && ['date', 'time'].includes(window.Vendolux.kind(el));
  }

  // ---------------------------------------------------------------- element operations
  const FAIL = false;
  function withEl(id, test, act) {
    const el = lookup(id);
    if (!el || !test(el)) return FAIL;
    const out = act(el);
    return out === undefined ? {} : out;
  }
  const anyEl = () => true;
  const inputEl = (el) => isTag(el, 'INPUT');
  const selectEl = (el) => isTag(el, 'SELECT');

  const ops = {
    getValue: (m) => withEl(m.id, inputEl, (el) => ({ value: el.value == null ? '' : String(el.value) })),
    setValue: (m) => withEl(m.id, inputEl, (el) => { el.value = String(m.value); }),
    getChecked: (m) => withEl(m.id, isCheckable, (el) => ({ checked: el.checked })),
    setChecked: (m) => withEl(m.id, isCheckable, (el) => { el.checked = !!m.checked; }),
    setMaxLength: (m) => withEl(m.id, inputEl, (el) => { el.maxLength = m.value; }),
    setDisabled: (m) => withEl(m.id, (el) => isTag(el, 'INPUT', 'SELECT', 'BUTTON', 'TEXTAREA'),
      (el) => { el.disabled = !!m.disabled; }),
    clearOptions: (m) => withEl(m.id, selectEl, (el) => {
      for (let i = el.options.length - 1; i >= 0; i--) {
        el.remove(i);
        if (el.options.length !== i) return FAIL;
      }
    }),
    addOption: (m) => withEl(m.id, selectEl, (el) => {
      const text = String(m.text);
      el.add(new Option(text, text, false, false), Number(m.position));
    }),
    setIndex: (m) => withEl(m.id, selectEl, (el) => { el.selectedIndex = m.index; }),
    getIndex: (m) => withEl(m.id, selectEl, (el) => ({ index: el.selectedIndex })),
    setSelectValue: (m) => withEl(m.id, selectEl, (el) => { el.value = String(m.value); }),
    getSelectValue: (m) => withEl(m.id, selectEl, (el) => ({ value: el.value || '' })),
    findOption: (m) => withEl(m.id, selectEl, (el) => {
      const options = Array.from(el.options);
      return { index: options.findIndex((o) => o.text === m.text) };
    }),
    getHtml: (m) => withEl(m.id, anyEl, (el) => ({ html: el.innerHTML })),
    setHtml: (m) => withEl(m.id, anyEl, (el) => { el.innerHTML = String(m.html); }),
    focus: (m) => withEl(m.id, anyEl, (el) => {
      if (isSlot(el) && window.Vendolux && window.Vendolux.focus(el)) return;
      el.focus();
    }),
    getRect: (m) => withEl(m.id, anyEl, (el) => ({
      left: el.offsetLeft, top: el.offsetTop,
      right: el.offsetLeft + el.offsetWidth, bottom: el.offsetTop + el.offsetHeight,
    })),
    setSrc: (m) => withEl(m.id, (el) => isTag(el, 'IMG'), (el) => { el.src = String(m.src); }),
    slotWindow: (m) => withEl(m.id, isSlot, (el) => window.Vendolux ? window.Vendolux.realise(el) : FAIL),
    slot: (m) => withEl(m.id, isSlot, (el) =>
      window.Vendolux ? window.Vendolux.call(el, String(m.method), m.args || {}) : FAIL),
    call: (m) => callScript(String(m.name), m.args),
    bind: (m) => { applySetup(m.setup); return { bound: bindEvents(m.entries) }; },
    messageBox: (m) => dialogs.message(m.caption, m.text),
    about: (m) => dialogs.about(m),
    alias: (m) => dialogs.alias(m),
    aliasRefuse: (m) => dialogs.aliasRefuse(m.caption, m.text),
    help: (m) => dialogs.help(m.caption, m.url),
    notice: (m) => dialogs.notice(m),
  };

  // Page script functions are global functions of the page; arguments arrive as strings.
  function callScript(name, args) {
    if (!/^[A-Za-z_$][\w$]*$/.test(name)) return FAIL;
    const fn = window[name];
    if (typeof fn !== 'function') return FAIL;
    try {
      fn.apply(window, (Array.isArray(args) ? args : []).map(String));
      return {};
    } catch (e) {
      console.error('torvel: script ' + name + ' failed', e);
      return FAIL;
    }
  }

  // ---------------------------------------------------------------- element events
  function bindEvents(entries) {
    const bound = [];
    for (const entry of Array.isArray(entries) ? entries : []) {
      const el = lookup(entry.id);
      if (!el || !['click', 'focus', 'blur'].includes(entry.ev)) continue;
      el.addEventListener(entry.ev, (e) => {
        // A bound link or submit button does the logic's work, not its own.
        if (entry.ev === 'click' && (isTag(el, 'A') || el.type === 'submit')) e.preventDefault();
        send({ t: 'ev', id: entry.id, ev: entry.ev });
      });
      bound.push({ id: entry.id, ev: entry.ev });
    }
    return bound;
  }
  document.addEventListener('submit', (e) => e.preventDefault(), true);
  document.addEventListener('dragover', (e) => e.preventDefault(), true);
  document.addEventListener('drop', (e) => e.preventDefault(), true);

  // ---------------------------------------------------------------- keys
  const isReload = (e) => e.key === 'F5' || ((e.ctrlKey || e.metaKey) && (e.key === 'r' || e.key === 'R'));
  const ARROWS = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight'];
  const focusId = () => (document.activeElement && document.activeElement.id) || '';

  function onKeyDown(e) {
    if (e.key === 'Escape' || isReload(e)) {
      e.preventDefault();
      e.stopPropagation();
      if (e.key === 'Escape' && dialogs.top()) dialogs.top().escape();
      return;
    }
    if (dialogs.top()) return dialogs.top().key(e);
    if (e.key === 'Enter') {
      e.preventDefault();
      send({ t: 'key', key: 'Enter', phase: 'down', focus: focusId() });
    } else if (e.key === 'Backspace') {
      if (isEditable(e.target) || isPicker(e.target)) return; // the field edits
      e.preventDefault();
      send({ t: 'key', key: 'Backspace', phase: 'down', focus: focusId() });
    } else if (e.key === 'Tab') {
      if (setup.tab) e.preventDefault();
      send({ t: 'key', key: 'Tab', phase: 'down', focus: focusId() });
    }
  }
  function onKeyUp(e) {
    if (dialogs.top() || !ARROWS.includes(e.key)) return;
    send({ t: 'key', key: e.key, phase: 'up', focus: focusId() });
  }

  if (inFrame) {
    // A help page inside the help window: keys never act on it; Escape closes the window.
    window.addEventListener('keydown', (e) => {
      const backspace = e.key === 'Backspace' && !isEditable(e.target);
      if (e.key === 'Escape' || isReload(e) || backspace) {
        e.preventDefault();
        e.stopPropagation();
        if (e.key === 'Escape' && parent.__torvelShim) parent.__torvelShim.escapeTop();
      }
    }, true);
    return;
  }
  window.addEventListener('keydown', onKeyDown, true);
  window.addEventListener('keyup', onKeyUp, true);

  // ---------------------------------------------------------------- shim's own layer
  let root = null; // shadow root holding dialogs and the busy overlay
  function layer() {
    if (root) return root;
    ownHost = document.createElement('torvel-layer');
    root = ownHost.attachShadow({ mode: 'open' });
    const sheet = document.querySelector('link[href="/__torvel/dialogs.css"]');
    try {
      const copy = new CSSStyleSheet();
      copy.replaceSync(Array.from(sheet.sheet.cssRules).map((r) => r.cssText).join('\n'));
      root.adoptedStyleSheets = [copy];
    } catch (e) {
      root.appendChild(h('link', { rel: 'stylesheet', href: '/__torvel/dialogs.css' }));
    }
    document.documentElement.appendChild(ownHost);
    return root;
  }

  // Builds an element; text children are text nodes (never markup).
  function h(tag, attrs, ...children) {
    const el = document.createElement(tag);
    for (const [k, v] of Object.entries(attrs || {})) {
      if (k === 'class') el.className = v;
      else if (k.startsWith('on')) el.addEventListener(k.slice(2), v);
      else if (v !== false && v != null) el.setAttribute(k, v === true ? '' : v);
    }
    for (const c of children) if (c != null) el.append(typeof c === 'string' ? document.createTextNode(c) : c);
    return el;
  }

  // ---------------------------------------------------------------- busy overlay
  let setup = { title: '', width: 0, height: 0, busy: false, tab: false };
  function applySetup(s) {
    if (!s) return;
    setup = Object.assign(setup, s);
    if (setup.title) document.title = setup.title;
    const style = document.documentElement.style;
    if (setup.width > 0) style.setProperty('--torvel-window-width', setup.width + 'px');
    if (setup.height > 0) style.setProperty('--torvel-window-height', setup.height + 'px');
    setBusy(setup.busy);
  }
  let busyEl = null;
  function setBusy(on) {
    setup.busy = !!on;
    if (!busyEl) busyEl = layer().appendChild(h('div', { class: 'tv-busy', 'aria-busy': 'true' }));
    busyEl.classList.toggle('tv-on', setup.busy);
    document.documentElement.classList.toggle('torvel-busy', setup.busy);
  }

  // ---------------------------------------------------------------- dialogs
  const dialogs = (() => {
    const stack = [];
    const top = () => stack[stack.length - 1] || null;

    // Opens a modal card; `done(result)` closes it and resolves the promise.
    function open(build, { escape, enter, wide } = {}) {
      return new Promise((resolve) => {
        const previousFocus = document.activeElement;
        const backdrop = h('div', { class: 'tv-backdrop' });
        const card = h('div', { class: 'tv-card' + (wide ? ' tv-wide' : ''), role: 'dialog', 'aria-modal': 'true' });
        backdrop.append(card);
        const entry = {
          card,
          done(result) {
            const at = stack.indexOf(entry);
            if (at < 0) return;
            stack.splice(at, 1);
            backdrop.remove();
            if (!stack.length && previousFocus && previousFocus.focus) previousFocus.focus();
            resolve(result);
          },
          escape() { if (escape) escape(entry); },
          key(e) { keyInDialog(entry, e, enter); },
        };
        build(card, entry);
        stack.push(entry);
        layer().append(backdrop);
        const first = card.querySelector('[autofocus]') || card.querySelector('button, input');
        if (first) first.focus();
      });
    }

    function keyInDialog(entry, e, enter) {
      if (entry !== top()) return;
      if (e.key === 'Enter' && enter) {
        e.preventDefault();
        enter(entry);
      } else if (e.key === 'Tab') {
        // Keep the focus inside the dialog.
        const items = Array.from(entry.card.querySelectorAll('button, input, iframe, a[href]'))
          .filter((x) => !x.disabled);
        if (!items.length) return e.preventDefault();
        const active = root.activeElement;
        const at = items.indexOf(active);
        const next = e.shiftKey ? (at <= 0 ? items.length - 1 : at - 1) : (at + 1) % items.length;
        e.preventDefault();
        items[next].focus();
      } else if (e.key === 'Backspace' && !isEditable(root.activeElement)) {
        e.preventDefault();
      }
    }

    const header = (caption, closeEntry) => h('div', { class: 'tv-head' },
      h('div', { class: 'tv-title' }, caption || ''),
      closeEntry ? h('button', { class: 'tv-close', 'aria-label': 'Close', onclick: () => closeEntry() }, '\u00d7') : null);
    const button = (label, primary, onclick) =>
      h('button', { type: 'button', class: primary ? 'tv-btn tv-primary' : 'tv-btn', onclick }, label || '');
    const icon = (kind) => h('div', { class: 'tv-icon tv-icon-' + kind, 'aria-hidden': 'true' });

    function message(caption, text) {
      return open((card, self) => {
        card.append(header(caption),
          h('div', { class: 'tv-body tv-row' }, icon('info'), h('div', { class: 'tv-text' }, String(text || ''))),
          h('div', { class: 'tv-foot' }, button('OK', true, () => self.done({}))));
        card.querySelector('.tv-primary').setAttribute('autofocus', '');
      }, { escape: (self) => self.done({}), enter: (self) => self.done({}) });
    }

    function about(m) {
      return open((card, self) => {
        card.append(header(m.caption, () => self.done({})),
          h('div', { class: 'tv-body tv-row' }, m.icon ? icon('brand') : null,
            h('div', { class: 'tv-about' },
              h('div', { class: 'tv-strong' }, m.version || ''),
              m.fileVersion ? h('div', { class: 'tv-muted' }, m.fileVersion) : null,
              h('div', { class: 'tv-muted' }, m.notice || ''))),
          h('div', { class: 'tv-foot' }, button('OK', true, () => self.done({}))));
      }, { escape: (self) => self.done({}), enter: (self) => self.done({}) });
    }

    // The alias dialog stays open after OK until the window thread accepts or refuses.
    let aliasEntry = null;
    let aliasWaiting = null; // resolves the pending request with the next action
    function alias(m) {
      return new Promise((resolve) => {
        aliasWaiting = resolve;
        let field;
        const act = (action) => {
          if (!aliasWaiting) return;
          const answer = aliasWaiting;
          aliasWaiting = null;
          setAliasEnabled(false);
          if (action === 'cancel') aliasEntry.done();
          answer({ action, text: field.value });
        };
        open((card, self) => {
          aliasEntry = self;
          field = h('input', { type: 'text', class: 'tv-input', maxlength: '30', autofocus: true, spellcheck: 'false' });
          card.append(
            h('div', { class: 'tv-body' },
              h('p', { class: 'tv-text' }, m.explanation || ''),
              h('div', { class: 'tv-alias' }, h('span', { class: 'tv-prefix' }, 'http://'), field,
                h('span', { class: 'tv-suffix' }, m.suffix || ''))),
            h('div', { class: 'tv-foot' }, button(m.cancel, false, () => act('cancel')), button(m.ok, true, () => act('ok'))));
        }, { escape: () => act('cancel'), enter: () => act('ok') }).then(() => { aliasEntry = null; });
        setAliasEnabled(true);
      });
    }
    function setAliasEnabled(on) {
      if (!aliasEntry) return;
      for (const b of aliasEntry.card.querySelectorAll('button')) b.disabled = !on;
    }
    async function aliasRefuse(caption, text) {
      await message(caption, text);
      if (!aliasEntry) return { action: 'cancel' };
      return new Promise((resolve) => {
        aliasWaiting = resolve;
        setAliasEnabled(true);
        const field = aliasEntry.card.querySelector('input');
        field.focus();
        field.select();
      });
    }
    shim.aliasClose = () => { if (aliasEntry) aliasEntry.done(); aliasWaiting = null; };

    function help(caption, url) {
      return open((card, self) => {
        card.append(header(caption, () => self.done({})),
          h('iframe', { class: 'tv-frame', src: String(url), title: caption || 'Help' }));
      }, { escape: (self) => self.done({}), wide: true });
    }

    function notice(m) {
      return open((card, self) => {
        const box = h('input', { type: 'checkbox', id: 'tv-notice-check' });
        card.append(header(m.caption),
          h('div', { class: 'tv-body' },
            h('div', { class: 'tv-row' }, icon('warn'), h('div', { class: 'tv-text' }, m.message || '')),
            h('label', { class: 'tv-check', for: 'tv-notice-check' }, box, h('span', {}, m.check || ''))),
          h('div', { class: 'tv-foot' }, button(m.ok, true, () => self.done({ action: 'ok', checked: box.checked }))));
        card.querySelector('.tv-primary').setAttribute('autofocus', '');
      }, {
        escape: (self) => self.done({ action: 'escape' }),
        enter: (self) => self.done({ action: 'ok', checked: self.card.querySelector('input').checked }),
      });
    }

    // A notice over everything that ends the page's part (closed wizard, other tab, lost link).
    function final(text) {
      while (stack.length) top().done({ action: 'cancel' });
      setBusy(false);
      layer().append(h('div', { class: 'tv-backdrop tv-final' },
        h('div', { class: 'tv-card' }, h('div', { class: 'tv-body tv-text' }, text))));
    }

    function link(url) {
      return open((card, self) => {
        card.append(header('', () => self.done({})),
          h('div', { class: 'tv-body' },
            h('a', { href: url, target: '_blank', rel: 'noopener noreferrer', class: 'tv-link', onclick: () => self.done({}) }, url)),
          h('div', { class: 'tv-foot' }, button('OK', true, () => self.done({}))));
      }, { escape: (self) => self.done({}), enter: (self) => self.done({}) });
    }

    return { top, message, about, alias, aliasRefuse, help, notice, link, final };
  })();
  shim.escapeTop = () => { if (dialogs.top()) dialogs.top().escape(); };

  // Only web addresses open, in a new tab; a blocked pop-up leaves a link to press.
  function openUrl(url) {
    if (!/^https?:\/\/\S+$/i.test(url)) return;
    const tab = window.open('about:blank', '_blank');
    if (tab) {
      tab.opener = null;
      tab.location.href = url;
      return;
    }
    dialogs.link(url);
  }

  // ---------------------------------------------------------------- page socket
  let socket = null;
  let ended = false;
  function send(message) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
  }

  async function answer(request) {
    const op = ops[request.op];
    let result = FAIL;
    try {
      result = op ? await op(request) : FAIL;
    } catch (e) {
      result = FAIL;
    }
    const reply = Object.assign({ t: 'res', n: request.n, ok: result !== FAIL && result !== undefined && result !== null },
      result && typeof result === 'object' ? result : {});
    reply.t = 'res';
    reply.n = request.n;
    send(reply);
  }

  const notes = {
    navigate: (m) => { ended = true; location.replace(m.url); },
    setup: (m) => applySetup(m.setup),
    busy: (m) => setBusy(m.on),
    openUrl: (m) => openUrl(String(m.url)),
    aliasClose: () => shim.aliasClose(),
    superseded: () => { ended = true; dialogs.final('The wizard continues in another tab. You can close this one.'); socket.close(); },
    closed: () => { ended = true; dialogs.final('The wizard has been closed. You can close this tab.'); },
  };

  function connect() {
    socket = new WebSocket((location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/__torvel/ws');
    socket.addEventListener('open', () => send({ t: 'hello', path: location.pathname }));
    socket.addEventListener('message', (e) => {
      let m;
      try { m = JSON.parse(e.data); } catch (err) { return; }
      if (m.t === 'req') answer(m);
      else if (m.t === 'note' && notes[m.op]) notes[m.op](m);
    });
    socket.addEventListener('close', () => {
      if (!ended) dialogs.final('The wizard is no longer running. You can close this tab.');
      ended = true;
    });
  }

  shim.slotEvent = (id, ev, data) => send(Object.assign({ t: 'slot', id, ev }, data || {}));
  if (window.Vendolux) window.Vendolux.onEvent = shim.slotEvent;

  // The page counts as loaded when its document and pictures are complete.
  if (document.readyState === 'complete') connect();
  else window.addEventListener('load', connect);
})();
