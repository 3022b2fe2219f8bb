#!/usr/bin/env node
// Screenshots of every wizard page in headless Chromium at the window size of Config.ini.
// Each page is shown as the program would fill it (demo values and script calls below);
// every script function the page must offer is called once, and a script error fails the run.
//
// Usage: node screenshots.js [--html DIR] [--out DIR]
// Exit codes: 0 done, 1 a page failed, 77 skipped (no Chromium or no playwright-core).
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const { readIni } = require("./ini.js");
const DEMO = require("./demo.js");

const CHROMIUM = "/usr/bin/chromium";
const SKIP = 77;

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i > 0 && process.argv[i + 1] ? process.argv[i + 1] : fallback;
}

function loadPlaywright() {
  if (!fs.existsSync(CHROMIUM)) return null;
  try {
    return require("playwright-core");
  } catch (e) {
    return null;
  }
}

// Sample arguments for a script function: progress gets a percentage, texts get a text.
function sampleArgs(count) {
  return Array.from({ length: count }, (_, i) => String(i === 0 ? 1 : 0));
}

const COMPONENT = path.join(__dirname, "../../wizard/component/vendolux.js");

// Runs one demo step inside the page; text always goes in as a value or as text.
// A step {slot, method, args} drives the viewer component in a slot, as the program does.
async function applyStep(page, step, columns) {
  if (step.press) {
    await page.keyboard.press(step.press);
    return;
  }
  if (step.slot) {
    if (step.args && step.args.columns) step = { ...step, args: { ...step.args, columns } };
    if (!(await page.evaluate(() => !!window.Vendolux))) await page.addScriptTag({ path: COMPONENT });
    await page.evaluate((s) => {
      const el = document.getElementById(s.slot);
      window.Vendolux.realise(el);
      if (window.Vendolux.call(el, s.method, s.args) === false) throw new Error(s.method + " failed in " + s.slot);
    }, step);
    return;
  }
  await page.evaluate((s) => {
    const el = s.id ? document.getElementById(s.id) : null;
    if (s.call) window[s.call].apply(null, s.args || []);
    if (s.value !== undefined) el.value = s.value;
    if (s.checked !== undefined) el.checked = s.checked;
    if (s.disabled !== undefined) el.disabled = s.disabled;
    if (s.src) el.src = s.src;
    if (s.options) {
      s.options.forEach((text) => el.add(new Option(text, text)));
      el.selectedIndex = s.selected || 0;
    }
    if (s.focus) el.focus();
  }, step);
}

// The camera list's columns as the program reads them from [List_camera_list].
function listColumns(ini) {
  const list = ini.list_camera_list || {};
  return Array.from({ length: parseInt(list.featurecount, 10) || 0 }, (_, i) => ({
    heading: list["feature" + (i + 1)] || "", width: parseInt(list["feature" + (i + 1) + "width"], 10) || 0 }));
}

async function shootPage(context, htmlDir, outDir, shot, functions, size) {
  const name = shot.split("#")[0];
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(String(e)));
  // The video stream lives on the program's server, which a file:// page cannot reach.
  const served = (m) => (m.location().url || "").includes("/__torvel/");
  page.on("console", (m) => { if (m.type() === "error" && !served(m)) errors.push(m.text()); });
  await page.goto("file://" + path.join(htmlDir, name), { waitUntil: "load" });

  for (const [fn, argc] of functions) {
    const type = await page.evaluate((f) => typeof window[f], fn);
    if (type !== "function") errors.push(fn + " is not defined");
    else await page.evaluate(([f, a]) => window[f].apply(null, a), [fn, sampleArgs(argc)]);
  }
  if (functions.length) await page.reload({ waitUntil: "load" });

  const columns = listColumns(readIni(path.join(htmlDir, "Config.ini")));
  for (const step of DEMO[shot] || []) await applyStep(page, step, columns);
  await page.waitForTimeout(600); // let the progress bars finish their transition
  const overflow = await page.evaluate(() => {
    const c = document.querySelector(".content");
    return c && c.scrollHeight > c.clientHeight + 1 ? c.scrollHeight - c.clientHeight : 0;
  });
  if (overflow) errors.push("content overflows the window by " + overflow + " px");
  const file = path.join(outDir, shot.replace(/\.html/, "").replace("#", "-") + ".png");
  await page.screenshot({ path: file, clip: { x: 0, y: 0, width: size.width, height: size.height } });
  await page.close();
  return errors;
}

async function main() {
  const htmlDir = path.resolve(option("--html", path.join(__dirname, "../../wizard/Html")));
  const outDir = path.resolve(option("--out", path.join(os.tmpdir(), "torvel-page-shots")));
  const playwright = loadPlaywright();
  if (!playwright) {
    console.log("SKIP: needs " + CHROMIUM + " and the npm package playwright-core");
    return SKIP;
  }
  const contract = JSON.parse(fs.readFileSync(path.join(__dirname, "contract.json"), "utf8"));
  const system = readIni(path.join(htmlDir, "Config.ini")).system || {};
  const size = { width: parseInt(system.windowwidth, 10), height: parseInt(system.windowheight, 10) };
  fs.mkdirSync(outDir, { recursive: true });

  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "torvel-chromium-"));
  const context = await playwright.chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    viewport: size,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  let failed = 0;
  let total = 0;
  try {
    for (const name of contract.pages.concat(contract.help_pages)) {
      const functions = contract.functions.filter((f) => f[0] === name).map((f) => [f[1], f[2]]);
      const variants = Object.keys(DEMO).filter((k) => k.startsWith(name + "#"))
        .filter((k) => fs.existsSync(COMPONENT) || !DEMO[k].some((step) => step.slot));
      for (const shot of [name].concat(variants)) {
        total++;
        const errors = await shootPage(context, htmlDir, outDir, shot, functions, size);
        errors.forEach((e) => console.log("FAIL " + shot + ": " + e));
        if (errors.length) failed++;
        else console.log("ok   " + shot);
      }
    }
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log("screenshots in " + outDir);
  console.log((total - failed) + " passed, " + failed + " failed");
  return failed ? 1 : 0;
}

main().then((code) => process.exit(code), (e) => { console.error(e); process.exit(1); });
