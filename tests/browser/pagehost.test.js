// pagehost.test.js: the page host against a real page in headless Chromium. The C++ driver
// performs each element operation through CWebControl and reports its flag and outputs; this
// script checks them and the page's DOM, and produces the clicks, focus changes and keys.
// Usage: node pagehost.test.js DRIVER FIXTURES COMPONENT
'use strict';
const { spawn } = require('child_process');
const readline = require('readline');
const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');

const SKIP = 77;
const [driverPath, fixtures, component] = process.argv.slice(2);
const CHROMIUM = '/usr/bin/chromium';
if (!fs.existsSync(CHROMIUM)) {
  console.log('SKIP: ' + CHROMIUM + ' is not installed');
  process.exit(SKIP);
}
let chromium;
try {
  ({ chromium } = require(path.join(__dirname, '..', '..', 'node_modules', 'playwright-core')));
} catch (e) {
  console.log('SKIP: playwright-core is not installed (run npm install)');
  process.exit(SKIP);
}

// ------------------------------------------------------------------ driver process
class Driver {
  constructor() {
    this.proc = spawn(driverPath, [fixtures, component], { stdio: ['pipe', 'pipe', 'inherit'] });
    this.lines = [];
    this.waiters = [];
    this.seq = 0;
    readline.createInterface({ input: this.proc.stdout }).on('line', (text) => {
      const line = JSON.parse(text);
      this.lines.push(line);
      this.wake();
    });
  }
  wake() {
    for (const w of this.waiters.slice()) {
      const at = this.lines.findIndex(w.match);
      if (at >= 0) {
        const [line] = this.lines.splice(at, 1);
        this.waiters.splice(this.waiters.indexOf(w), 1);
        clearTimeout(w.timer);
        w.resolve(line);
      }
    }
  }
  next(match, what, ms = 8000) {
    return new Promise((resolve, reject) => {
      const w = { match, resolve };
      w.timer = setTimeout(() => {
        this.waiters.splice(this.waiters.indexOf(w), 1);
        reject(new Error('timed out waiting for ' + what));
      }, ms);
      this.waiters.push(w);
      this.wake();
    });
  }
  // Sends a command; resolves with its result once the driver has run it.
  start(command) {
    const seq = ++this.seq;
    this.proc.stdin.write(JSON.stringify(Object.assign({ seq }, command)) + '\n');
    return this.next((l) => l.seq === seq, command.op).then((l) => l.result);
  }
  run(op, args) { return this.start(Object.assign({ op }, args)); }
  event(kind, id) { return this.next((l) => l.event === kind && (id === undefined || l.id === id), kind + ' ' + (id || '')); }
  // Events of a kind seen so far, removed from the buffer.
  take(kind) {
    const found = this.lines.filter((l) => l.event === kind);
    this.lines = this.lines.filter((l) => l.event !== kind);
    return found;
  }
}

// ------------------------------------------------------------------ test cases
const cases = [];
const test = (name, fn) => cases.push({ name, fn });
let d, page;

const dom = (fn, arg) => page.evaluate(fn, arg);
const shadow = (id, selector) => page.evaluate(([i, s]) =>
  Array.from(document.getElementById(i).shadowRoot.querySelectorAll(s)).map((e) => e.textContent), [id, selector]);

test('input value: read, write, and refuse other kinds', async () => {
  assert.deepEqual(await d.run('GetInputValue', { id: 'name' }), { op: 'GetInputValue', ok: true, value: 'start' });
  assert.equal((await d.run('SetInputValue', { id: 'name', value: 'hello' })).ok, true);
  assert.equal(await dom(() => document.getElementById('name').value), 'hello');
  assert.equal((await d.run('GetInputValue', { id: 'colors' })).ok, false);
  assert.equal((await d.run('GetInputValue', { id: 'no_such' })).ok, false);
  assert.equal((await d.run('SetInputValue', { id: 'html_target', value: 'x' })).ok, false);
  assert.equal(await dom(() => document.getElementById('html_target').textContent), 'old text');
});

test('check boxes and radio buttons: checked only on flag 1', async () => {
  assert.deepEqual(await d.run('GetInputChecked', { id: 'agree' }), { op: 'GetInputChecked', ok: true, checked: false });
  assert.equal((await d.run('SetInputChecked', { id: 'agree', flag: 1 })).ok, true);
  assert.equal(await dom(() => document.getElementById('agree').checked), true);
  assert.equal((await d.run('SetInputChecked', { id: 'agree', flag: 2 })).ok, true);
  assert.equal(await dom(() => document.getElementById('agree').checked), false);
  assert.equal((await d.run('SetInputChecked', { id: 'choice', flag: 1 })).ok, true);
  assert.equal(await dom(() => document.getElementById('choice').checked), true);
  assert.equal((await d.run('SetInputChecked', { id: 'name', flag: 1 })).ok, false);
  assert.equal((await d.run('GetInputChecked', { id: 'name' })).ok, false);
});

test('max length and disabled', async () => {
  assert.equal((await d.run('SetInputMaxLength', { id: 'name', value: 30 })).ok, true);
  assert.equal(await dom(() => document.getElementById('name').maxLength), 30);
  assert.equal((await d.run('SetElementDisabled', { id: 'colors', disabled: true })).ok, true);
  assert.equal(await dom(() => document.getElementById('colors').disabled), true);
  assert.equal((await d.run('SetElementDisabled', { id: 'colors', disabled: false })).ok, true);
  assert.equal((await d.run('SetElementDisabled', { id: 'html_target', disabled: true })).ok, false);
});

test('FindSelectOption: empty list -1 and true, missing element -1 and false, exact text', async () => {
  assert.deepEqual(await d.run('FindSelectOption', { id: 'empty', text: 'Red' }), { op: 'FindSelectOption', ok: true, index: -1 });
  assert.deepEqual(await d.run('FindSelectOption', { id: 'no_such', text: 'Red' }), { op: 'FindSelectOption', ok: false, index: -1 });
  assert.equal((await d.run('FindSelectOption', { id: 'colors', text: 'Green' })).index, 1);
  assert.deepEqual(await d.run('FindSelectOption', { id: 'colors', text: 'green' }), { op: 'FindSelectOption', ok: true, index: -1 });
  assert.equal((await d.run('FindSelectOption', { id: 'name', text: 'Red' })).ok, false);
});

test('select options: add before a position, index and value, clear', async () => {
  assert.equal((await d.run('ClearSelectOptions', { id: 'empty' })).ok, true);
  assert.equal((await d.run('AddSelectOption', { id: 'colors', text: 'Cyan', position: 1 })).ok, true);
  assert.deepEqual(await dom(() => Array.from(document.getElementById('colors').options).map((o) => [o.text, o.value])),
    [['Red', 'Red'], ['Cyan', 'Cyan'], ['Green', 'Green'], ['Blue', 'Blue']]);
  assert.equal(await dom(() => document.getElementById('colors').options[1].selected), false);
  assert.equal((await d.run('AddSelectOption', { id: 'colors', text: 'Last', position: 99 })).ok, true);
  assert.equal(await dom(() => document.getElementById('colors').options[4].text), 'Last');
  assert.equal((await d.run('SetSelectIndex', { id: 'colors', index: 2 })).ok, true);
  assert.equal(await dom(() => document.getElementById('colors').selectedIndex), 2);
  assert.deepEqual(await d.run('GetSelectIndex', { id: 'colors' }), { op: 'GetSelectIndex', ok: true, index: 2 });
  assert.deepEqual(await d.run('GetSelectValue', { id: 'colors' }), { op: 'GetSelectValue', ok: true, value: 'Green' });
  assert.equal((await d.run('SetSelectValue', { id: 'colors', value: 'Blue' })).ok, true);
  assert.equal(await dom(() => document.getElementById('colors').value), 'Blue');
  assert.equal((await d.run('ClearSelectOptions', { id: 'colors' })).ok, true);
  assert.equal(await dom(() => document.getElementById('colors').options.length), 0);
  assert.equal((await d.run('ClearSelectOptions', { id: 'name' })).ok, false);
  assert.equal((await d.run('GetSelectIndex', { id: 'name' })).index, 7);
});

test('an id shared by two elements (or by an id and a name) fails every operation', async () => {
  for (const id of ['twin', 'named']) {
    for (const [op, args] of [['GetElementHtml', {}], ['SetElementHtml', { html: 'changed' }], ['FocusElement', {}],
      ['GetElementRect', {}], ['GetInputValue', {}], ['SetInputValue', { value: 'x' }], ['SetImageSource', { src: 'a.gif' }],
      ['FindSelectOption', { text: 'x' }], ['SetElementDisabled', {}], ['GetSlotWindow', {}]]) {
      const r = await d.run(op, Object.assign({ id }, args));
      assert.equal(r.ok, false, op + ' on ' + id);
    }
  }
  assert.deepEqual(await dom(() => Array.from(document.querySelectorAll('#twin')).map((e) => e.textContent)), ['first', 'second']);
  assert.equal(await dom(() => document.getElementById('named').textContent), 'by id');
});

test('GetElementRect is the offset box relative to a positioned container', async () => {
  assert.deepEqual((await d.run('GetElementRect', { id: 'inner' })).rect, { left: 12, top: 7, right: 62, bottom: 27 });
  const box = await dom(() => { const b = document.getElementById('box'); return [b.offsetLeft, b.offsetTop, b.offsetWidth, b.offsetHeight]; });
  assert.deepEqual((await d.run('GetElementRect', { id: 'box' })).rect,
    { left: box[0], top: box[1], right: box[0] + box[2], bottom: box[1] + box[3] });
  assert.deepEqual((await d.run('GetElementRect', { id: 'no_such' })).rect, { left: -1, top: -1, right: -1, bottom: -1 });
});

test('inner HTML and image source', async () => {
  assert.deepEqual(await d.run('GetElementHtml', { id: 'html_target' }), { op: 'GetElementHtml', ok: true, html: 'old <b>text</b>' });
  assert.equal((await d.run('SetElementHtml', { id: 'html_target', html: 'new <i>one</i>' })).ok, true);
  assert.equal(await dom(() => document.querySelector('#html_target i').textContent), 'one');
  assert.equal((await d.run('SetImageSource', { id: 'pic', src: 'images/signal_3.gif' })).ok, true);
  assert.match(await dom(() => document.getElementById('pic').src), /\/images\/signal_3\.gif$/);
  assert.equal((await d.run('SetImageSource', { id: 'html_target', src: 'x.gif' })).ok, false);
});

test('CallScript: six forms, strings in order, -1 as "-1"; missing or failing function is false', async () => {
  const forms = [
    [{ form: 'none', args: [] }, []],
    [{ form: 'text', args: ['a b'] }, ['a b']],
    [{ form: 'int', args: [-1] }, ['-1']],
    [{ form: 'int', args: [0] }, ['0']],
    [{ form: 'int2', args: [3, -4] }, ['3', '-4']],
    [{ form: 'int4', args: [1, 2, 3, 4] }, ['1', '2', '3', '4']],
    [{ form: 'list', args: ['x', '', 'z', 'w', 'v'] }, ['x', '', 'z', 'w', 'v']],
  ];
  for (const [command, expected] of forms) {
    assert.equal((await d.run('CallScript', Object.assign({ name: 'record' }, command))).ok, true, command.form);
    assert.deepEqual(await dom(() => window.__calls[window.__calls.length - 1]), expected, command.form);
  }
  assert.equal((await d.run('CallScript', { name: 'fails', form: 'none' })).ok, false);
  assert.equal((await d.run('CallScript', { name: 'no_such_function', form: 'none' })).ok, false);
  assert.equal((await d.run('CallScript', { name: 'alert(1);record', form: 'none' })).ok, false);
});

test('events: click, focus and blur reach their handlers; a link does not navigate', async () => {
  d.take('click'); d.take('focus'); d.take('blur');
  await page.click('#btn');
  assert.equal((await d.event('click', 'btn')).id, 'btn');
  const before = page.url();
  await page.click('#link');
  await d.event('click', 'link');
  assert.equal(page.url(), before);
  assert.equal((await d.run('FocusElement', { id: 'field' })).ok, true);
  await d.event('focus', 'field');
  assert.equal(await dom(() => document.activeElement.id), 'field');
  await page.focus('#btn');
  await d.event('blur', 'field');
  assert.equal(d.take('focus').length, 0);
});

test('an event entry whose element was missing at load is skipped', async () => {
  await dom(() => { const b = document.createElement('button'); b.id = 'missing_button'; b.textContent = 'late'; document.body.append(b); });
  await page.click('#missing_button');
  await page.click('#btn');
  await d.event('click', 'btn');
  assert.deepEqual(d.take('click').filter((e) => e.id === 'missing_button'), []);
});

test('keys: Escape and F5 consumed, Enter forwarded, Backspace left to text fields', async () => {
  d.take('key');
  await page.focus('#field');
  await page.keyboard.press('Escape');
  await page.keyboard.press('F5');
  await page.keyboard.type('ab');
  await page.keyboard.press('Backspace');
  assert.equal(await dom(() => document.getElementById('field').value), 'a');
  await page.keyboard.press('Enter');
  const enter = await d.event('key');
  assert.deepEqual([enter.key, enter.down, enter.focus], ['Enter', true, 'field']);
  await page.focus('#btn');
  await page.keyboard.press('Backspace');
  assert.deepEqual([(await d.event('key')).key], ['Backspace']);
  await page.keyboard.press('ArrowDown');
  const arrow = await d.event('key');
  assert.deepEqual([arrow.key, arrow.down], ['ArrowDown', false]);
  assert.deepEqual(d.take('key'), []);
  assert.match(page.url(), /ops\.html$/);
});

test('report list in a slot: columns, rows, selection, header press and double click', async () => {
  const slot = await d.run('GetSlotWindow', { id: 'List_camera_list' });
  assert.equal(slot.ok, true);
  assert.ok(slot.width > 300 && slot.height > 100, JSON.stringify(slot));
  assert.equal((await d.run('GetSlotWindow', { id: 'html_target' })).ok, false);
  const columns = [{ heading: 'Name', width: 120 }, { heading: 'Address', width: 110 }, { heading: 'Model', width: 80 }, { heading: 'MAC', width: 100 }];
  assert.equal((await d.run('CreateReportList', { id: 'List_camera_list', columns })).ok, true);
  assert.deepEqual(await shadow('List_camera_list', '.vx-hcell'), ['Name', 'Address', 'Model', 'MAC']);
  for (const [i, name] of ['Lobby', '<b>Door</b>', 'Yard'].entries())
    assert.equal((await d.run('ListInsertRow', { id: 'List_camera_list', index: i, texts: [name, '10.0.0.' + i, 'QJ', 'MAC' + i], data: i })).index, i);
  assert.deepEqual(await shadow('List_camera_list', '.vx-row .vx-cell:first-child'), ['Lobby', '<b>Door</b>', 'Yard']);
  assert.deepEqual((await d.run('ListGetSelected', { id: 'List_camera_list' })).row, -1);
  assert.equal((await d.run('ListSelectRow', { id: 'List_camera_list', row: 2 })).ok, true);
  assert.deepEqual(await shadow('List_camera_list', '.vx-sel .vx-cell:first-child'), ['Yard']);
  const rows = (await d.run('ListGetRows', { id: 'List_camera_list' })).rows;
  assert.deepEqual(rows.map((r) => r.data), [0, 1, 2]);
  assert.equal((await d.run('ListSetRows', { id: 'List_camera_list', rows: rows.slice().reverse() })).ok, true);
  assert.deepEqual((await d.run('ListGetSelected', { id: 'List_camera_list' })).row, 0);
  const header = (await d.run('ListGetHeaderRect', { id: 'List_camera_list', column: 1 })).rect;
  assert.deepEqual([header.left, header.right - header.left], [120, 110]);
  const box = await page.evaluate(() => document.getElementById('List_camera_list').getBoundingClientRect().toJSON());
  await page.mouse.click(box.x + 1 + header.left + 30, box.y + 1 + header.top + 5);
  const press = await d.event('headerpress');
  assert.deepEqual([press.column, press.x, press.width], [1, 30, 110]);
  await page.mouse.dblclick(box.x + 20, box.y + header.bottom + 10);
  const dbl = await d.event('dblclick');
  assert.deepEqual([dbl.id, dbl.row], ['List_camera_list', 0]);
  assert.equal((await d.run('ListDeleteAllRows', { id: 'List_camera_list' })).ok, true);
  assert.deepEqual(await shadow('List_camera_list', '.vx-row'), []);
});

test('date and time pickers show the fixed formats and keep the date range', async () => {
  await d.run('GetSlotWindow', { id: 'Camera_name_time_cameradate' });
  await d.run('GetSlotWindow', { id: 'Camera_name_time_cameratime' });
  const min = { year: 2011, month: 1, day: 1 }, max = { year: 2019, month: 12, day: 31, hour: 23, minute: 59, second: 59 };
  assert.equal((await d.run('CreateDatePicker', { id: 'Camera_name_time_cameradate', min, max })).ok, true);
  assert.equal((await d.run('CreateTimePicker', { id: 'Camera_name_time_cameratime' })).ok, true);
  assert.equal((await d.run('SetPickerValue', { id: 'Camera_name_time_cameradate', value: { year: 2015, month: 6, day: 7 } })).ok, true);
  assert.equal((await d.run('SetPickerValue', { id: 'Camera_name_time_cameratime', value: { hour: 13, minute: 5, second: 9 } })).ok, true);
  const text = (id) => page.evaluate((i) => Array.from(document.getElementById(i).shadowRoot.querySelectorAll('.vx-seg, .vx-sep')).map((e) => e.textContent).join(''), id);
  assert.equal(await text('Camera_name_time_cameradate'), '2015/06/07');
  assert.equal(await text('Camera_name_time_cameratime'), '13:05:09');
  assert.equal((await d.run('SetPickerValue', { id: 'Camera_name_time_cameradate', value: { year: 2020, month: 1, day: 1 } })).ok, false);
  assert.equal(await text('Camera_name_time_cameradate'), '2015/06/07');
  // Typing in a segment: Backspace stays in the picker, Up changes the focused part.
  d.take('key');
  await d.run('FocusElement', { id: 'Camera_name_time_cameratime' });
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('Backspace');
  assert.equal(await text('Camera_name_time_cameratime'), '14:05:09');
  assert.deepEqual((await d.run('GetPickerValue', { id: 'Camera_name_time_cameratime' })).value,
    { year: 0, month: 0, day: 0, hour: 14, minute: 5, second: 9 });
  assert.deepEqual(d.take('key').map((k) => k.key), ['ArrowUp']);
});

test('video surface in a slot', async () => {
  await d.run('GetSlotWindow', { id: 'Ostrel_success_live_view' });
  assert.equal((await d.run('CreateVideoSurface', { id: 'Ostrel_success_live_view' })).ok, true);
  assert.match(await dom(() => document.getElementById('Ostrel_success_live_view').shadowRoot.querySelector('img').getAttribute('src')),
    /^\/__torvel\/video\/\d+$/);
});

test('message box keeps its line breaks and blocks the page until OK', async () => {
  const done = d.run('MessageBox', { text: 'first line\nsecond line', caption: 'Torvel' });
  await page.waitForSelector('torvel-layer >> .tv-card');
  assert.equal(await page.locator('torvel-layer >> .tv-text').innerText(), 'first line\nsecond line');
  await page.locator('torvel-layer >> .tv-primary').click();
  await done;
  assert.equal(await page.locator('torvel-layer >> .tv-card').count(), 0);
});

test('alias dialog: 30 characters at most, a refusal keeps it open, Cancel ends it', async () => {
  let result = d.run('ShowAlias', {});
  const field = page.locator('torvel-layer >> .tv-input');
  await field.waitFor();
  await field.fill('a'.repeat(31));
  assert.equal(await field.inputValue(), 'a'.repeat(30));
  await field.fill('bad_name');
  await page.keyboard.press('Enter');
  await page.waitForSelector('torvel-layer >> text=No underscores');
  await page.keyboard.press('Enter'); // closes the refusal
  await field.fill('good-name');
  await page.locator('torvel-layer >> .tv-primary').click();
  assert.deepEqual(await result, { op: 'ShowAlias', confirmed: true, alias: 'good-name' });
  await field.waitFor({ state: 'detached' }); // else the next wait may see the closing dialog
  result = d.run('ShowAlias', {});
  await field.waitFor();
  await page.keyboard.press('Escape');
  assert.deepEqual(await result, { op: 'ShowAlias', confirmed: false, alias: '' });
});

test('camera-information notice returns its check box', async () => {
  const result = d.run('ShowNotice', { caption: 'Torvel', message: 'Cannot read', check: 'Back to the list' });
  const card = page.locator('torvel-layer >> .tv-card:has(input[type=checkbox])');
  await card.locator('input[type=checkbox]').check();
  await card.locator('.tv-primary').click();
  assert.deepEqual(await result, { op: 'ShowNotice', closedWithOk: true, checked: true });
});

test('OpenUrl accepts only http and https addresses', async () => {
  assert.equal((await d.run('OpenUrl', { url: 'javascript:alert(1)' })).ok, false);
  assert.equal((await d.run('OpenUrl', { url: 'file:///etc/passwd' })).ok, false);
  assert.equal((await d.run('OpenUrl', { url: 'http://127.0.0.1:9/' })).ok, true);
});

test('navigation replaces the page; a slot of the old page is gone', async () => {
  await d.run('Navigate', { page: 'second.html' });
  const load = await d.event('load');
  assert.match(load.address, /\/second\.html$/);
  await page.waitForURL(/second\.html$/);
  assert.equal((await d.run('GetElementHtml', { id: 'marker' })).html, 'second page');
  assert.equal((await d.run('GetInputValue', { id: 'name' })).ok, false);
  assert.equal((await d.run('ListGetSelected', { id: 'List_camera_list' })).ok, false);
  await page.click('#btn');
  await d.event('click', 'btn');
});

// ------------------------------------------------------------------ run
(async () => {
  d = new Driver();
  const { address } = await d.next((l) => l.address, 'the session address');
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'torvel-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  let passed = 0, failed = 0;
  try {
    page = context.pages()[0] || await context.newPage();
    page.on('pageerror', (e) => console.log('page error: ' + e.message));
    await page.goto(address);
    await d.event('load');
    const only = process.env.TORVEL_TEST_ONLY;
    for (const c of cases.filter((x) => !only || x.name.includes(only))) {
      try {
        await c.fn();
        passed++;
        console.log('ok - ' + c.name);
      } catch (e) {
        failed++;
        console.log('not ok - ' + c.name + '\n  ' + String(e.stack || e).split('\n').slice(0, 6).join('\n  '));
      }
    }
  } finally {
    await context.close();
    d.proc.stdin.end();
    d.proc.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
})().catch((e) => {
  console.log('error: ' + (e.stack || e));
  process.exit(1);
});
