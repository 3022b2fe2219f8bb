// Values and script calls that show each page as the program fills it, for the screenshots.
// A key "page#variant" gives a second screenshot of the same page in another state.
"use strict";

const call = (name, ...args) => ({ call: name, args });
const value = (id, text) => ({ id, value: text });
const slot = (id, method, args) => ({ slot: id, method, args });
const row = (...texts) => slot("List_camera_list", "insertRow", { texts, index: -1 });

module.exports = {
  "2_Camera_list.html#list": [
    slot("List_camera_list", "createList", { columns: "from Config.ini" }),
    row("Front door", "192.168.1.20", "YC-200W", "0012AB34CD56"),
    row("Garden", "192.168.1.21", "YC-300W", "0012AB34CD57"),
    row("Garage <b>", "169.254.10.3", "YC-100", "0012AB34CD58"),
    slot("List_camera_list", "selectRow", { row: 0 }),
  ],
  "4_1_Authentication.html": [
    call("Authentication_default_password", "admin"),
    value("Authentication_id", "admin"),
    { id: "Authentication_password", focus: true },
  ],
  "4_2_Change_authentication.html": [
    { id: "Change_authentication_check_change", checked: true },
    { id: "Change_authentication_new_password", disabled: false },
    { id: "Change_authentication_confirm_password", disabled: false },
    value("Change_authentication_new_password", "Garden2026"),
    { id: "Change_authentication_confirm_password", focus: true },
  ],
  "5_Remote_progress.html": [call("Remote_internet_setup_progress", "42")],
  "6_1_Remote_finish.html": [call("Remote_internet_success_url", "http://frontdoor.ostrel.net")],
  "6_1_Remote_finish.html#video": [
    call("Remote_internet_success_url", "http://frontdoor.ostrel.net"),
    slot("Ostrel_success_live_view", "createVideo", { src: "/__torvel/video/1" }),
  ],
  "6_2_Remote_failed.html": [
    call("Remote_internet_fail_message"),
    call("Remote_internet_fail_link", "http://frontdoor.ostrel.net"),
  ],
  "6_2_Remote_failed.html#local": [call("Remote_internet_fail_link", "http://192.168.1.20:80")],
  "7_Network_environment.html": [call("Network_environment_PPPoE")],
  "8_Wired_pppoe.html": [
    value("Wired_pppoe_user_name", "jsmith@dsl-provider"),
    value("Wired_pppoe_password", "s3cret-dsl"),
    value("Wired_pppoe_confirm_password", "s3cret-dsl"),
  ],
  "9_Wired_fixedip.html": [
    value("Wired_fixedip_ip", "192.168.1.20"),
    value("Wired_fixedip_mask", "255.255.255.0"),
    value("Wired_fixedip_gateway", "192.168.1.1"),
    value("Wired_fixedip_primary_dns", "192.168.1.1"),
    { id: "Wired_fixedip_ip", focus: true },
  ],
  "9_Wired_fixedip.html#keyboard": [{ id: "Wired_fixedip_secondary_dns", focus: true }, { press: "Tab" }],
  "12_Wireless_wps.html": [call("Wireless_WPS", "1", "1")],
  "12_Wireless_wps.html#pin": [
    call("Wireless_WPS", "1", "1"),
    { id: "Wireless_wps_radio_pin", checked: true },
    { id: "Wireless_wps_pin_code", disabled: false },
    value("Wireless_wps_pin_code", "12345670"),
    { id: "Wireless_wps_pin_code", focus: true },
  ],
  "12_Wireless_wps.html#running": [
    call("Wireless_WPS", "1", "1"),
    call("Wireless_WPS_setup"),
    call("Wireless_WPS_setup_progress", "31"),
  ],
  "13_Wireless_manual.html": [
    call("Wireless_manual_SiteSurvey"),
    { id: "Wireless_manual_combo_sitesurvey", options: ["<Current>", "HomeNet", "Cafe-5G"], selected: 1 },
    { id: "Wireless_manual_image_strength", src: "./images/signal_3.gif" },
    value("Wireless_manual_ssid", "HomeNet"),
    { id: "Wireless_manual_combo_mode", options: ["Infrastructure", "Adhoc"] },
    { id: "Wireless_manual_combo_channel", options: ["Auto"] },
    { id: "Wireless_manual_combo_authentication",
      options: ["Open", "Shared", "Open/Shared", "WPA-PSK", "WPA2-PSK", "WPA/WPA2"], selected: 4 },
    { id: "Wireless_manual_combo_encryption", options: ["TKIP", "AES", "TKIP/AES"], selected: 1 },
    value("Wireless_manual_key", "correct horse battery"),
  ],
  "14_Camera_name_time.html": [call("Camera_time"), value("Camera_name_time_cameraname", "Front door")],
  "14_Camera_name_time.html#pickers": [
    call("Camera_time"),
    value("Camera_name_time_cameraname", "Front door"),
    slot("Camera_name_time_cameradate", "createDatePicker", { format: "yyyy/MM/dd",
      min: { year: 2011, month: 1, day: 1 }, max: { year: 2019, month: 12, day: 31 } }),
    slot("Camera_name_time_cameradate", "setValue", { year: 2019, month: 6, day: 14 }),
    slot("Camera_name_time_cameratime", "createTimePicker", { format: "HH:mm:ss" }),
    slot("Camera_name_time_cameratime", "setValue", { hour: 9, minute: 41, second: 0 }),
  ],
  "15_Setting_preview.html": [
    call("Setup_preview", "1", "2", "0", "0"),
    value("Setting_preview_basic_cameraname", "Front door"),
    value("Setting_preview_basic_cameradate", "2019/06/14"),
    value("Setting_preview_basic_cameratime", "09:41:00"),
    value("Setting_preview_fixedip_ip", "192.168.1.20"),
    value("Setting_preview_fixedip_mask", "255.255.255.0"),
    value("Setting_preview_fixedip_gateway", "192.168.1.1"),
    value("Setting_preview_fixedip_dns1", "192.168.1.1"),
    value("Setting_preview_fixedip_dns2", ""),
    value("Setting_preview_wireless_ssid", "HomeNet"),
    value("Setting_preview_wireless_mode", "Infrastructure"),
    value("Setting_preview_wireless_channel", "Auto"),
    value("Setting_preview_wireless_auth", "WPA2-PSK"),
    value("Setting_preview_wireless_encryption", "AES"),
    value("Setting_preview_wireless_key", "correct horse battery"),
  ],
  "15_Setting_preview.html#pppoe": [
    call("Setup_preview", "0", "3", "1", "1"),
    value("Setting_preview_basic_cameraname", "Garden"),
    value("Setting_preview_basic_cameradate", "2019/06/14"),
    value("Setting_preview_basic_cameratime", "09:41:00"),
    value("Setting_preview_pppoe_id", "jsmith@dsl-provider"),
    value("Setting_preview_pppoe_password", "s3cret-dsl"),
  ],
  "16_Setting_progress.html": [call("Camera_setup_progress", "67")],
  "17_1_Setting_success.html": [call("Camera_setup_success_url", "https://192.168.1.20:443")],
  "17_2_Setting_failed.html": [
    call("Camera_setup_fail_message", "The fixed IP address could not be set on the camera.",
      "The camera name could not be changed.", "The camera's date and time could not be set.", "", ""),
  ],
  "17_2_Setting_failed.html#network": [
    call("Camera_setup_fail_network",
      "The camera could not reach your internet provider's PPPoE server.\\Check the cable between your router or modem and the wall socket."),
  ],
  "19_Disconnect_wired.html#auto": [call("Disconnect_wired", "1")],
  "20_Link_progress.html": [call("Link_test_progress", "105")],
  "21_Wireless_failed.html#auto": [call("Wireless_fail", "1")],
};
