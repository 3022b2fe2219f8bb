// The page check must notice each kind of fault in a page folder: a copy of the real folder
// gets one fault per case, and the check has to report it for the right file.
"use strict";

const test = require("node:test");
const assert = require("node:assert");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { checkHtmlDir } = require("./check_pages.js");

const HTML = path.join(__dirname, "../../wizard/Html");

// [what, file, change, where the failure is reported, expected text]
const CASES = [
  ["missing element", "1_Install.html", ['id="Install_next"', 'id="Install_go"'], "1_Install.html", "Install_next is missing"],
  ["duplicate id", "3_Enable_remote.html", ['id="Enable_ostrel_radio_disable"', 'id="Enable_ostrel_radio_enable"'],
    "3_Enable_remote.html", "appears more than once"],
  ["check box for a radio button", "10_Enable_wireless.html",
    ['type="radio" id="Enable_wireless_radio_enable"', 'type="checkbox" id="Enable_wireless_radio_enable"'],
    "10_Enable_wireless.html", "must be of kind radio"],
  ["check box for a text field", "4_1_Authentication.html",
    ['type="password" id="Authentication_password"', 'type="checkbox" id="Authentication_password"'],
    "4_1_Authentication.html", "must be of kind text"],
  ["radio group named like an element", "11_Wireless_mode.html", [/name="wireless_method"/g, 'name="Wireless_mode_next"'],
    "11_Wireless_mode.html", "is also the name of another element"],
  ["click target that cannot take focus", "2_Camera_list.html", ['<button type="button" id="List_rescan"', '<div id="List_rescan"'],
    "2_Camera_list.html", "takes clicks"],
  ["slot with content", "2_Camera_list.html", ['class="vendolux-slot"></div>', 'class="vendolux-slot"><span></span></div>'],
    "2_Camera_list.html", "must be an empty"],
  ["script function missing", "js/pages.js", ["function Camera_time()", "function Camera_clock()"],
    "14_Camera_name_time.html", "Camera_time is not defined"],
  ["script function with other arguments", "js/pages.js", [", wirelessCapable)", ")"],
    "15_Setting_preview.html", "takes 3 arguments, not 4"],
  ["page loading the shim itself", "16_Setting_progress.html", ['src="js/pages.js"', 'src="http://127.0.0.1/shim.js"'],
    "16_Setting_progress.html", "refers outside its folder"],
  ["key handler in a page script", "js/wizard.js", ['"use strict";', '"use strict";\ndocument.addEventListener("keydown", function () {});'],
    "files", "handles keys"],
  ["markup built from a string", "js/wizard.js", ['el.textContent = "";', 'el.innerHTML = "";'], "files", "builds markup"],
  ["message missing", "Config.ini", [/^Message42=.*$/m, ""], "files", "Message42 is missing"],
  ["message too long", "Config.ini", [/^Message1=.*$/m, "Message1=" + "x".repeat(260)], "files", "longer than 259"],
  ["unknown stream type", "CameraSupport.ini", ["StreamModel=3", "StreamModel=7"], "files", "[YC-200W] StreamModel"],
  ["signal picture missing", "images/signal_4.gif", null, "files", "signal_4.gif is missing"],
];

function copyFolder() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "torvel-pages-"));
  fs.cpSync(HTML, dir, { recursive: true });
  return dir;
}

function reported(result, where) {
  if (where === "files") return result.files;
  const page = result.pages.find(([name]) => name === where);
  return page ? page[1] : [];
}

test("the shipped page folder passes", () => {
  const result = checkHtmlDir(HTML);
  assert.deepStrictEqual(result.files, []);
  for (const [name, failures] of result.pages) assert.deepStrictEqual(failures, [], name);
});

for (const [what, file, change, where, expected] of CASES) {
  test("notices: " + what, () => {
    const dir = copyFolder();
    try {
      const target = path.join(dir, file);
      if (change === null) {
        fs.rmSync(target);
      } else {
        const before = fs.readFileSync(target, "utf8");
        const after = before.replace(change[0], change[1]);
        assert.notStrictEqual(after, before, "the fault could not be placed in " + file);
        fs.writeFileSync(target, after);
      }
      const failures = reported(checkHtmlDir(dir), where);
      assert.ok(failures.some((f) => f.includes(expected)), "expected '" + expected + "' in " + JSON.stringify(failures));
    } finally {
      fs.rmSync(dir, { recursive: true, force: true });
    }
  });
}
