// A small HTML tokenizer for the page check: start tags with attributes, end tags, and the
// raw content of script and style elements. Enough for pages we write ourselves; not a browser.
"use strict";

const TAG = /<!--[\s\S]*?-->|<![^>]*>|<\/([A-Za-z][\w-]*)\s*>|<([A-Za-z][\w-]*)((?:\s+[^\s"'>/=]+(?:\s*=\s*(?:"[^"]*"|'[^']*'|[^\s"'=<>`]+))?)*)\s*(\/?)>/g;
const ATTR = /([^\s"'>/=]+)(?:\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'=<>`]+)))?/g;
const RAW_TEXT = new Set(["script", "style"]);

function decodeEntities(text) {
  return text
    .replace(/&quot;/g, '"').replace(/&#39;|&apos;/g, "'")
    .replace(/&lt;/g, "<").replace(/&gt;/g, ">").replace(/&amp;/g, "&");
}

function parseAttributes(source) {
  const attrs = {};
  let m;
  ATTR.lastIndex = 0;
  while ((m = ATTR.exec(source)) !== null) {
    const name = m[1].toLowerCase();
    const value = m[2] !== undefined ? m[2] : m[3] !== undefined ? m[3] : m[4] !== undefined ? m[4] : "";
    if (!(name in attrs)) attrs[name] = decodeEntities(value);
  }
  return attrs;
}

function lineAt(text, index) {
  return text.slice(0, index).split("\n").length;
}

// Returns the tokens in document order: {type: "start"|"end", tag, attrs, line, end,
// text (raw content, for script and style)}; `end` is the offset just after the token.
function tokenize(text) {
  const tokens = [];
  let m;
  TAG.lastIndex = 0;
  while ((m = TAG.exec(text)) !== null) {
    if (m[1]) {
      tokens.push({ type: "end", tag: m[1].toLowerCase(), line: lineAt(text, m.index), start: m.index, end: TAG.lastIndex });
      continue;
    }
    if (!m[2]) continue; // comment or doctype
    const tag = m[2].toLowerCase();
    const token = { type: "start", tag, attrs: parseAttributes(m[3] || ""), line: lineAt(text, m.index),
      start: m.index, end: TAG.lastIndex };
    tokens.push(token);
    if (RAW_TEXT.has(tag) && !m[4]) {
      const close = text.toLowerCase().indexOf("</" + tag, TAG.lastIndex);
      const stop = close < 0 ? text.length : close;
      token.text = text.slice(TAG.lastIndex, stop);
      TAG.lastIndex = stop;
    }
  }
  return tokens;
}

module.exports = { tokenize };
