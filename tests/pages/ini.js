// Reads an INI file the way the wizard's profile reader does: section and key names without
// regard to case (returned in lower case), blanks trimmed, one pair of enclosing quotes removed.
// Values are returned whole so that a check can refuse the ones the reader would cut.
"use strict";

const fs = require("fs");

function unquote(value) {
  const v = value.trim();
  if (v.length >= 2 && ((v[0] === '"' && v.endsWith('"')) || (v[0] === "'" && v.endsWith("'")))) {
    return v.slice(1, -1);
  }
  return v;
}

function parseIni(text) {
  const sections = {};
  let current = null;
  for (const raw of text.split(/\r?\n/)) {
    const line = raw.trim();
    if (line === "" || line.startsWith(";")) continue;
    const header = /^\[([^\]]*)\]$/.exec(line);
    if (header) {
      current = header[1].trim().toLowerCase();
      sections[current] = sections[current] || {};
      continue;
    }
    const eq = line.indexOf("=");
    if (current === null || eq < 0) continue;
    const key = line.slice(0, eq).trim().toLowerCase();
    if (!(key in sections[current])) sections[current][key] = unquote(line.slice(eq + 1));
  }
  return sections;
}

function readIni(file) {
  return parseIni(fs.readFileSync(file, "utf8"));
}

module.exports = { parseIni, readIni };
