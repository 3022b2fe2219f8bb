// The per-camera operations behind the exports, one command family a file. Each returns an
// internal result (OpResult) that the exported frame maps to its return code.
#pragma once

#include <optional>
#include <string>

#include "discovery/lan_cam_object.h"
#include "yovfinder.h"

namespace yov {

class CLANCamFinder;

// A read that sends the credential block only, with retries: the reply must have the full
// `expected` size, status 0 and, when given, that PayloadLength (credential_commands.cc).
std::optional<CommandReply> ReadCommand(CLANDAPObj& camera, uint16_t command, uint16_t sequence,
                                        size_t expected,
                                        std::optional<uint16_t> payload_length = std::nullopt);
// Set-type commands that carry the credential block only: CmdRestart, CmdFactoryReset,
// CmdCommit, CmdStartSiteSurvey (credential_commands.cc).
int CredentialOnlyCommand(CLANDAPObj& camera, uint16_t command, uint16_t sequence);

// Credentials (camera_auth.cc). Stores the ANSI pair in the finder and the camera: 0, or -1
// for a bad index (the finder keeps the pair either way).
int SetFinderCamAuth(CLANCamFinder& finder, int index, const std::wstring* user,
                     const std::wstring* password);
// CmdChangePassword; when it fails after more than 10 s, checks whether the camera took the new
// pair anyway (CmdVerifyAuth with it) and reports success when it did. The camera keeps the
// finder's stored pair afterwards.
int ChangeAdminPassword(CLANCamFinder& finder, int index, const std::wstring* user,
                        const std::wstring* password);

// Name, addresses, port and flags (camera_settings.cc). -3 unless Version 1 and Size >= 156.
int SetCameraInfo(CLANDAPObj& camera, uint16_t sequence, const _YOVCamSettings& in);
// The record's addresses parsed ("" and "255.255.255.255" give 0), DHCP as 0/1.
CameraNetwork NetworkFromRecord(const _YOVCamNetwork& in);

// Date and time (camera_datetime.cc). Getter: *size below 116 gives -6 with 116 written.
// Setter: -3 unless Version 1 and Size 108; the size argument is not checked.
int GetCameraDatetime(CLANDAPObj& camera, uint16_t sequence, _YOVCamDatetime& out,
                      unsigned long& size);
int SetCameraDatetime(CLANDAPObj& camera, uint16_t sequence, const _YOVCamDatetime& in);

// Advanced network and the provider list (camera_adv_network.cc). Every read replaces the
// provider cache. Setter: -3 unless size 348, Version 1 and Size 340.
int GetAdvNetwork(CLANDAPObj& camera, uint16_t sequence, _YOVAdvNetwork& out,
                  unsigned long& size);
int SetAdvNetwork(CLANDAPObj& camera, uint16_t sequence, const _YOVAdvNetwork& in, int size);
// The cached provider names, read again first when never read or older than 60 s (a failed
// read is ignored).
const std::vector<std::wstring>& ProviderNames(CLANDAPObj& camera, uint16_t sequence);

// Wireless settings and capability (camera_wireless.cc). Getters write the full size and give
// -6 when *size is smaller; setters give -3 unless the size argument, Version and Size match.
int GetWireless(CLANDAPObj& camera, uint16_t sequence, _YOVWireless& out, unsigned long& size);
int GetWirelessCapability(CLANDAPObj& camera, uint16_t sequence, _YOVWirelessCapability& out,
                          unsigned long& size);
int SetWireless(CLANDAPObj& camera, uint16_t sequence, const _YOVWireless& in, int size);
int GetSimpleWireless(CLANDAPObj& camera, uint16_t sequence, _YOVSimpleWireless& out,
                      unsigned long& size);
int SetSimpleWireless(CLANDAPObj& camera, uint16_t sequence, const _YOVSimpleWireless& in,
                      int size);

// Optional commands (camera_options.cc): from the cache, or asked once with its own send loop.
// `count` in: capacity; out: the number of codes; -6 when the capacity is too small.
int GetOptionCodes(CLANDAPObj& camera, uint16_t sequence, uint16_t* codes, int& count);

// Site survey results gathered over several datagrams (camera_site_survey.cc). `count` in:
// capacity; out: the number of stations; -6 when the capacity is too small.
int GetSiteSurvey(CLANDAPObj& camera, uint16_t sequence, _YOVSiteSurveyStation* stations,
                  int& count);

// WPS PIN and association state (camera_wireless_status.cc). The PIN is the camera's text;
// an empty PIN is a failure. The association getter writes 44 and gives -6 below 44.
int GetWpsPin(CLANDAPObj& camera, uint16_t sequence, std::string& pin);
int GetAssociation(CLANDAPObj& camera, uint16_t sequence, _YOVWirelessAssociatedStatus& out,
                   unsigned long& size);

}  // namespace yov
