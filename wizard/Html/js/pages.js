// Script functions that the wizard program calls on its pages, every argument a string.
// Each function changes only elements of the page it belongs to and does nothing elsewhere.
"use strict";

/* ---- 4_1_Authentication.html ---- */

function Authentication_default_password(password) {
  var text = String(password == null ? "" : password);
  TorvelPage.setText("Authentication_default_value", text);
  TorvelPage.show("Authentication_default_hint", text !== "");
}

/* ---- 14_Camera_name_time.html ---- */

function Camera_time() {
  TorvelPage.show("Camera_name_time_clock", true);
  TorvelPage.show("Camera_name_time_no_clock", false);
}

/* ---- 5_Remote_progress.html, 12_Wireless_wps.html, 16_Setting_progress.html,
        20_Link_progress.html ---- */

function Remote_internet_setup_progress(percent) {
  TorvelPage.setProgress(percent);
}

function Wireless_WPS_setup_progress(percent) {
  TorvelPage.setProgress(percent);
}

function Camera_setup_progress(percent) {
  TorvelPage.setProgress(percent);
}

function Link_test_progress(percent) {
  TorvelPage.setProgress(percent);
}

/* ---- 6_1_Remote_finish.html ---- */

function Remote_internet_success_url(url) {
  TorvelPage.setText("Ostrel_success_url", url);
}

/* ---- 6_2_Remote_failed.html ---- */

function Remote_internet_fail_message() {
  TorvelPage.show("Ostrel_fail_router", true);
  TorvelPage.show("Ostrel_fail_generic", false);
}

function Remote_internet_fail_link(url) {
  TorvelPage.setText("Ostrel_fail_url", url);
  TorvelPage.show("Ostrel_fail_address", true);
}

/* ---- 7_Network_environment.html ---- */

function Network_environment_PPPoE() {
  TorvelPage.show("Network_environment_pppoe_choice", true);
}

/* ---- 12_Wireless_wps.html ---- */

// Both flags are "1" when the camera offers WPS. Without it only the PIN method remains.
function Wireless_WPS(pushButton, offered) {
  var pbc = TorvelPage.toInt(pushButton) === 1;
  TorvelPage.show("Wireless_wps_pbc_choice", pbc);
  TorvelPage.show("Wireless_wps_unavailable", TorvelPage.toInt(offered) !== 1);
  if (!pbc) {
    var pin = TorvelPage.byId("Wireless_wps_radio_pin");
    var code = TorvelPage.byId("Wireless_wps_pin_code");
    if (pin) pin.checked = true;
    if (code) code.disabled = false;
  }
}

function Wireless_WPS_setup() {
  var pin = TorvelPage.byId("Wireless_wps_radio_pin");
  var usePin = !!(pin && pin.checked);
  TorvelPage.show("Wireless_wps_form", false);
  TorvelPage.show("Wireless_wps_running", true);
  TorvelPage.show("Wireless_wps_running_pbc", !usePin);
  TorvelPage.show("Wireless_wps_running_pin", usePin);
  var code = TorvelPage.byId("Wireless_wps_pin_code");
  TorvelPage.setText("Wireless_wps_running_pin_value", code ? code.value : "");
  ["Wireless_wps_pre", "Wireless_wps_next"].forEach(function (id) {
    var b = TorvelPage.byId(id);
    if (b) b.classList.add("is-muted");
  });
  TorvelPage.setProgress("0");
}

/* ---- 13_Wireless_manual.html ---- */

function Wireless_manual_SiteSurvey() {
  TorvelPage.show("Wireless_manual_survey_row", true);
}

/* ---- 15_Setting_preview.html ---- */

// (manual wireless, network mode 0-3, wireless enabled, wireless capable)
function Setup_preview(manualWireless, networkMode, wirelessEnabled, wirelessCapable) {
  var mode = TorvelPage.toInt(networkMode);
  var manual = TorvelPage.toInt(manualWireless) === 1;
  var wired = { 1: "Automatic address (DHCP)", 2: "Fixed IP address", 3: "PPPoE (DSL account)" };
  var wiredEl = TorvelPage.byId("Setting_preview_wired");
  if (wiredEl) wiredEl.value = wired[mode] || "Unchanged";
  TorvelPage.show("Setting_preview_fixedip_rows", mode === 2);
  TorvelPage.show("Setting_preview_pppoe_rows", mode === 3);

  var wireless;
  if (manual) wireless = "On, manual settings";
  else if (TorvelPage.toInt(wirelessEnabled) === 1) wireless = "On, set up with WPS";
  else if (TorvelPage.toInt(wirelessCapable) === 1) wireless = "Off";
  else wireless = "Not available on this camera";
  var wirelessEl = TorvelPage.byId("Setting_preview_wireless");
  if (wirelessEl) wirelessEl.value = wireless;
  TorvelPage.show("Setting_preview_wireless_rows", manual);
  TorvelPage.show("Setting_preview_wireless_none", !manual);
}

/* ---- 17_1_Setting_success.html ---- */

function Camera_setup_success_url(url) {
  TorvelPage.setText("Setting_success_url", url);
}

/* ---- 17_2_Setting_failed.html ---- */

// Up to five message texts naming the settings that failed; empty texts are left out.
function Camera_setup_fail_message(first, second, third, fourth, fifth) {
  var list = TorvelPage.byId("Setting_fail_steps");
  if (!list) return;
  list.textContent = "";
  [first, second, third, fourth, fifth].forEach(function (text, i) {
    if (text == null || String(text) === "") return;
    var item = document.createElement("li");
    item.id = "Setting_fail_step_" + (i + 1);
    list.appendChild(item);
    TorvelPage.setText(item.id, text);
  });
  TorvelPage.show("Setting_fail_steps_panel", list.children.length > 0);
}

function Camera_setup_fail_network(text) {
  TorvelPage.setText("Setting_fail_network_text", text);
  TorvelPage.show("Setting_fail_network", true);
}

/* ---- 19_Disconnect_wired.html ---- */

// The flag is 1 for cameras that turn wireless on by themselves: there is no way back.
function Disconnect_wired(wirelessSetupModel) {
  var auto = TorvelPage.toInt(wirelessSetupModel) === 1;
  TorvelPage.show("Disconnect_wired_pre", !auto);
  TorvelPage.show("Disconnect_wired_auto", auto);
}

/* ---- 21_Wireless_failed.html ---- */

function Wireless_fail(wirelessSetupModel) {
  var auto = TorvelPage.toInt(wirelessSetupModel) === 1;
  TorvelPage.show("Wireless_fail_choices", !auto);
  TorvelPage.show("Wireless_fail_auto", auto);
  var next = TorvelPage.byId("Wireless_fail_next");
  if (next) next.textContent = auto ? "Back to camera list" : "Next";
}
