#!/usr/bin/env node
// Checks the wizard's page folder against what the program expects of it (contract.json):
// every element id of the event table exactly once and of the kind its operations need,
// the viewer-control slots, the page script functions, the pictures and the two INI files.
//
// Usage: node check_pages.js [HTML_DIR]   (default: wizard/Html of this repository)
"use strict";

const fs = require("fs");
const path = require("path");
const { tokenize } = require("./html_tokens.js");
const { parseIni } = require("./ini.js");

const CONTRACT = JSON.parse(fs.readFileSync(path.join(__dirname, "contract.json"), "utf8"));
const TEXT_TYPES = new Set(["", "text", "password"]);
const FOCUSABLE = new Set(["input", "select", "textarea", "button"]);
const STREAM_MODELS = new Set(["2", "3", "4", "5", "6", "8", "9"]);
const MESSAGE_COUNT = 72;
const VALUE_LIMIT = 259;

function classes(el) {
  return (el.attrs.class || "").split(/\s+/).filter(Boolean);
}

function isClickable(el) {
  if (el.tag === "button") return (el.attrs.type || "submit") === "button";
  return el.tag === "a" && "href" in el.attrs;
}

function isFocusable(el) {
  return FOCUSABLE.has(el.tag) || isClickable(el) || "tabindex" in el.attrs;
}

const KIND_RULES = {
  radio: (el) => el.tag === "input" && el.attrs.type === "radio",
  checkbox: (el) => el.tag === "input" && el.attrs.type === "checkbox",
  text: (el) => el.tag === "input" && TEXT_TYPES.has((el.attrs.type || "").toLowerCase()),
  select: (el) => el.tag === "select",
  image: (el) => el.tag === "img",
  html: () => true,
};

// Everything the contract says about one page: id -> {events: [...], kind}.
function pageContract(name) {
  const ids = new Map();
  const entry = (id) => {
    if (!ids.has(id)) ids.set(id, { events: [], kind: null, slot: false });
    return ids.get(id);
  };
  for (const [page, id, event] of CONTRACT.events) {
    if (page === name || (page === "*" && CONTRACT.about_pages.includes(name))) entry(id).events.push(event);
  }
  for (const [page, id, kind] of CONTRACT.kinds) if (page === name) entry(id).kind = kind;
  for (const [page, id] of CONTRACT.slots) if (page === name) entry(id).slot = true;
  const functions = CONTRACT.functions.filter((f) => f[0] === name).map((f) => [f[1], f[2]]);
  return { ids, functions };
}

// Top-level function declarations of a script text: name -> number of parameters.
function declaredFunctions(source) {
  const found = new Map();
  const re = /^function\s+([A-Za-z_$][\w$]*)\s*\(([^)]*)\)/gm;
  let m;
  while ((m = re.exec(source)) !== null) {
    const params = m[2].split(",").map((p) => p.trim()).filter(Boolean);
    found.set(m[1], params.length);
  }
  return found;
}

function checkElement(fail, id, spec, el, tokens, index) {
  const where = id + " (line " + el.line + ")";
  if (spec.kind && !KIND_RULES[spec.kind](el)) fail(where + " is <" + el.tag + "> but must be of kind " + spec.kind);
  const formControl = spec.kind === "radio" || spec.kind === "checkbox" || spec.kind === "select";
  if (spec.events.includes("onclick") && !formControl && !isClickable(el)) {
    fail(where + " takes clicks and must be a <button type=button> or an <a href>");
  }
  if ((spec.events.includes("onfocus") || spec.events.includes("onblur")) && !isFocusable(el)) {
    fail(where + " takes focus events and must be focusable");
  }
  if (spec.slot) {
    const next = tokens[index + 1];
    const empty = next && next.type === "end" && next.tag === "div" && next.start === el.end;
    if (el.tag !== "div" || !classes(el).includes("vendolux-slot") || !empty) {
      fail(where + ' must be an empty <div class="vendolux-slot"></div>');
    }
  }
}

function checkRadioGroups(fail, starts, idSet) {
  for (const el of starts) {
    if (el.tag !== "input" || el.attrs.type !== "radio") continue;
    if (!el.attrs.name) fail((el.attrs.id || "radio") + " (line " + el.line + ") has no group name");
    else if (idSet.has(el.attrs.name)) fail("radio group name " + el.attrs.name + " is also an element id");
  }
}

function checkResources(fail, htmlDir, pageName, starts) {
  for (const el of starts) {
    const ref = el.tag === "link" ? el.attrs.href : el.tag === "script" || el.tag === "img" ? el.attrs.src : null;
    if (ref === undefined || ref === null) continue;
    if (/^[a-z]+:|^\/\//i.test(ref) || ref.startsWith("/")) fail(pageName + " refers outside its folder: " + ref);
    else if (!fs.existsSync(path.join(htmlDir, ref))) fail(pageName + " refers to a missing file: " + ref);
  }
  for (const el of starts) {
    if (["object", "embed", "iframe"].includes(el.tag)) fail(pageName + " embeds <" + el.tag + "> (line " + el.line + ")");
    for (const attr of Object.keys(el.attrs)) {
      if (attr.startsWith("on")) fail(pageName + " has an inline handler " + attr + " (line " + el.line + ")");
    }
  }
}

// Script text of a page: its inline scripts and the files it loads.
function pageScripts(htmlDir, starts) {
  let source = "";
  for (const el of starts) {
    if (el.tag !== "script") continue;
    if (el.attrs.src) {
      const file = path.join(htmlDir, el.attrs.src);
      if (fs.existsSync(file)) source += fs.readFileSync(file, "utf8") + "\n";
    } else {
      source += (el.text || "") + "\n";
    }
  }
  return source;
}

function checkPage(htmlDir, name, isHelp) {
  const failures = [];
  const fail = (text) => failures.push(text);
  const file = path.join(htmlDir, name);
  if (!fs.existsSync(file)) return ["missing page file"];
  const tokens = tokenize(fs.readFileSync(file, "utf8"));
  const starts = tokens.filter((t) => t.type === "start");

  const byId = new Map();
  for (const el of starts) {
    if (el.attrs.id === undefined) continue;
    if (byId.has(el.attrs.id)) fail("id " + el.attrs.id + " appears more than once (line " + el.line + ")");
    else byId.set(el.attrs.id, el);
  }
  checkRadioGroups(fail, starts, new Set(byId.keys()));
  checkResources(fail, htmlDir, name, starts);
  if (isHelp) return failures;

  const { ids, functions } = pageContract(name);
  for (const [id, spec] of ids) {
    const el = byId.get(id);
    if (!el) { fail("element " + id + " is missing"); continue; }
    const named = starts.filter((t) => t.attrs.name === id && t !== el);
    if (named.length) fail(id + " is also the name of another element, so a lookup finds two");
    checkElement(fail, id, spec, el, tokens, tokens.indexOf(el));
  }
  const declared = declaredFunctions(pageScripts(htmlDir, starts));
  for (const [fn, argc] of functions) {
    if (!declared.has(fn)) fail("script function " + fn + " is not defined");
    else if (declared.get(fn) !== argc) fail("script function " + fn + " takes " + declared.get(fn) + " arguments, not " + argc);
  }
  return failures;
}

// Rules for every script file of the folder: no key handling, no markup from strings.
function checkScriptFiles(htmlDir) {
  const failures = [];
  const dir = path.join(htmlDir, "js");
  if (!fs.existsSync(dir)) return failures;
  for (const f of fs.readdirSync(dir).filter((n) => n.endsWith(".js"))) {
    const source = fs.readFileSync(path.join(dir, f), "utf8");
    if (/key(down|up|press)/i.test(source)) failures.push("js/" + f + " handles keys; the program owns the keyboard");
    if (/innerHTML|outerHTML|insertAdjacentHTML|document\.write/.test(source)) {
      failures.push("js/" + f + " builds markup from strings; use textContent");
    }
  }
  return failures;
}

function checkLimit(fail, section, key, value) {
  if (value.length > VALUE_LIMIT) fail("[" + section + "] " + key + " is longer than " + VALUE_LIMIT + " characters");
}

function checkConfig(htmlDir) {
  const failures = [];
  const fail = (t) => failures.push("Config.ini: " + t);
  const file = path.join(htmlDir, "Config.ini");
  if (!fs.existsSync(file)) return ["Config.ini is missing"];
  const ini = parseIni(fs.readFileSync(file, "utf8"));
  const system = ini.system || {};
  for (const key of ["title", "wizardtype", "version", "about", "ver", "copyright", "windowwidth", "windowheight"]) {
    if (!system[key]) fail("[System] " + key + " is missing or empty");
  }
  if (system.wizardtype !== "1") fail("[System] WizardType must be 1");
  for (const key of ["windowwidth", "windowheight"]) {
    if (!(parseInt(system[key], 10) > 0)) fail("[System] " + key + " must be a positive number");
  }
  const messages = ini.message || {};
  for (let n = 0; n < MESSAGE_COUNT; n++) {
    const text = messages["message" + n];
    if (!text) fail("[Message] Message" + n + " is missing or empty");
    else checkLimit(fail, "Message", "Message" + n, text);
  }
  const list = ini.list_camera_list || {};
  const count = parseInt(list.featurecount, 10);
  if (count !== 4) fail("[List_camera_list] FeatureCount must be 4");
  for (let i = 1; i <= (count || 0); i++) {
    if (!list["feature" + i]) fail("[List_camera_list] Feature" + i + " is missing");
    if (!(parseInt(list["feature" + i + "width"], 10) > 0)) fail("[List_camera_list] Feature" + i + "Width is missing");
  }
  if (!(ini.default_password || {}).default) fail("[Default_Password] Default is missing");
  for (const [section, keys] of Object.entries(ini)) {
    for (const [key, value] of Object.entries(keys)) checkLimit(fail, section, key, value);
  }
  return failures;
}

function checkCameraSupport(htmlDir) {
  const failures = [];
  const fail = (t) => failures.push("CameraSupport.ini: " + t);
  const file = path.join(htmlDir, "CameraSupport.ini");
  if (!fs.existsSync(file)) return ["CameraSupport.ini is missing"];
  const ini = parseIni(fs.readFileSync(file, "utf8"));
  const support = ini.support || {};
  const models = [];
  for (let n = 1; support["camera" + String(n).padStart(3, "0")]; n++) models.push(support["camera" + String(n).padStart(3, "0")]);
  if (!models.length) fail("[support] lists no Camera001");
  for (const model of models) {
    const section = ini[model.toLowerCase()] || {};
    if (!STREAM_MODELS.has(section.streammodel)) fail("[" + model + "] StreamModel is missing or not a known stream type");
  }
  return failures;
}

function checkImages(htmlDir) {
  return CONTRACT.signal_images.filter((img) => {
    const file = path.join(htmlDir, img);
    return !fs.existsSync(file) || !/^GIF8[79]a/.test(fs.readFileSync(file).subarray(0, 6).toString("latin1"));
  }).map((img) => img + " is missing or not a GIF picture");
}

// Returns {pages: [[name, failures]], files: failures} for a page folder.
function checkHtmlDir(htmlDir) {
  const pages = CONTRACT.pages.map((n) => [n, checkPage(htmlDir, n, false)])
    .concat(CONTRACT.help_pages.map((n) => [n, checkPage(htmlDir, n, true)]));
  const files = [].concat(checkScriptFiles(htmlDir), checkConfig(htmlDir), checkCameraSupport(htmlDir), checkImages(htmlDir));
  if (CONTRACT.events.length !== CONTRACT.event_count) {
    files.push("contract.json lists " + CONTRACT.events.length + " events, not " + CONTRACT.event_count);
  }
  return { pages, files };
}

function main() {
  const htmlDir = path.resolve(process.argv[2] || path.join(__dirname, "../../wizard/Html"));
  const { pages, files } = checkHtmlDir(htmlDir);
  let failed = 0;
  for (const [name, failures] of pages) {
    failures.forEach((f) => console.log("FAIL " + name + ": " + f));
    if (failures.length) failed++;
    else console.log("ok   " + name);
  }
  files.forEach((f) => console.log("FAIL " + f));
  console.log((pages.length - failed) + " passed, " + (failed + (files.length ? 1 : 0)) + " failed");
  return failed || files.length ? 1 : 0;
}

module.exports = { checkHtmlDir };
if (require.main === module) process.exit(main());
