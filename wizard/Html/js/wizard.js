// Shared page helpers of the Torvel wizard: the step indicator and small DOM utilities.
// Text handed in by the program is always placed with textContent, never parsed as markup.
"use strict";

var TorvelPage = (function () {
  var STEPS = [
    ["camera", "Camera"],
    ["signin", "Sign in"],
    ["name", "Name & time"],
    ["remote", "Remote access"],
    ["network", "Network"],
    ["wireless", "Wireless"],
    ["apply", "Apply"],
    ["finish", "Finish"]
  ];

  function byId(id) {
    return document.getElementById(id);
  }

  // Shows or hides the element with this id; a missing element is ignored.
  function show(id, visible) {
    var el = byId(id);
    if (el) el.hidden = !visible;
  }

  // Replaces the element's content by plain text; a backslash starts a new line,
  // as in the wizard's message texts.
  function setText(id, text) {
    var el = byId(id);
    if (!el) return;
    el.textContent = "";
    String(text == null ? "" : text).split("\\").forEach(function (line, i) {
      if (i > 0) el.appendChild(document.createElement("br"));
      el.appendChild(document.createTextNode(line));
    });
  }

  // Reads a script argument as an integer ("%i" text); anything else counts as 0.
  function toInt(value) {
    var n = parseInt(String(value), 10);
    return isNaN(n) ? 0 : n;
  }

  // Moves the page's progress bar; the program may pass values above 100 on its last tick.
  function setProgress(value) {
    var bar = document.querySelector(".progress");
    if (!bar) return;
    var pct = Math.max(0, Math.min(100, toInt(value)));
    var fill = bar.querySelector(".progress-fill");
    var label = bar.querySelector(".progress-value");
    var track = bar.querySelector(".progress-track");
    if (fill) fill.style.width = pct + "%";
    if (label) label.textContent = pct + " %";
    if (track) track.setAttribute("aria-valuenow", String(pct));
    bar.classList.toggle("is-done", pct >= 100);
    // The phases listed under the bar follow the percentage in equal shares.
    var phases = bar.querySelectorAll(".progress-steps li");
    var active = Math.min(phases.length - 1, Math.floor((pct * phases.length) / 100));
    Array.prototype.forEach.call(phases, function (li, i) {
      li.classList.toggle("is-done", i < active || pct >= 100);
      li.classList.toggle("is-active", i === active && pct < 100);
    });
  }

  function element(tag, className, text) {
    var el = document.createElement(tag);
    if (className) el.className = className;
    if (text) el.textContent = text;
    return el;
  }

  function buildBrand() {
    var brand = element("div", "brand");
    brand.appendChild(element("span", "brand-mark"));
    brand.appendChild(element("span", "brand-name", "Torvel"));
    brand.appendChild(element("span", "brand-sub", "Camera setup"));
    return brand;
  }

  // The step indicator: steps before the page's step are done, the page's own is current.
  function buildSteps() {
    var nav = element("nav", "steps");
    nav.setAttribute("aria-label", "Setup steps");
    var current = document.body.getAttribute("data-step");
    var index = -1;
    STEPS.forEach(function (s, i) { if (s[0] === current) index = i; });
    STEPS.forEach(function (s, i) {
      var item = element("span", "step" + (i < index ? " is-done" : "") + (i === index ? " is-current" : ""));
      item.title = s[1];
      item.appendChild(element("span", "step-dot", i < index ? "\u2713" : String(i + 1)));
      item.appendChild(element("span", "step-label", s[1]));
      if (i === index) item.setAttribute("aria-current", "step");
      nav.appendChild(item);
    });
    return nav;
  }

  function buildHeader() {
    var bar = document.querySelector(".topbar");
    if (!bar) return;
    bar.insertBefore(buildSteps(), bar.firstChild);
    bar.insertBefore(buildBrand(), bar.firstChild);
  }

  // A check box with data-reveal="id1 id2" shows the characters of those password fields.
  function bindReveal() {
    var boxes = document.querySelectorAll("input[data-reveal]");
    Array.prototype.forEach.call(boxes, function (box) {
      box.addEventListener("change", function () {
        box.getAttribute("data-reveal").split(/\s+/).forEach(function (id) {
          var field = byId(id);
          if (field) field.type = box.checked ? "text" : "password";
        });
      });
    });
  }

  buildHeader();
  bindReveal();
  setProgress(0);

  return { byId: byId, show: show, setText: setText, toInt: toInt, setProgress: setProgress };
})();
