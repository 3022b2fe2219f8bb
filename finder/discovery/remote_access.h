// The remote-access service (Ostrel) of one camera: state queries, switching it on, its
// address, the alias with its polled change, the sub-domain; and the search on its port.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "discovery/lan_cam_mgr.h"

namespace yov {

class CLANCamFinder;

constexpr size_t kOstrelTextField = 64;  // alias, sub-domain and address fields
constexpr uint32_t kAliasPollPauseMs = 100;
// The camera decides how long an alias change stays "in progress". The export blocks the
// caller (the wizard's window thread, behind a wait cursor) meanwhile, so give up after about
// 30 s of polls: well beyond a registration round trip, well short of a hung window.
constexpr int kAliasPollLimit = 300;

// The 64-byte text field of an alias or sub-domain; nullopt when the text is empty or does
// not fit with its NUL (such a name is refused, not cut).
std::optional<std::vector<uint8_t>> OstrelTextField(const std::string& text);

// Results below are export codes: 0, -1, -2 credentials refused, -4, -5, -7.

// CmdOstrelIpEnvironment: out1 = payload byte 1, out2 = byte 0.
int QueryIpEnvironment(CLANDAPObj& camera, uint16_t sequence, int& out1, int& out2);
// CmdOstrelProcState: -7 without a reply (outputs untouched); otherwise the three words are
// written, and the result is 0 only for a complete own reply with status 0.
int QueryProcState(CLANDAPObj& camera, uint16_t sequence, int& state, int& detail, int& extra);
// CmdOstrelGetEnabled: -7 without a reply (output untouched); else byte 0 as for ProcState.
int GetOstrelEnabled(CLANDAPObj& camera, uint16_t sequence, int& enabled);
// CmdOstrelEnable with the low byte of `enable`; the triple is decoded from the reply. An
// internal result: 0, 1 refused, 2 credentials refused, -1.
int EnableOstrel(CLANDAPObj& camera, uint16_t sequence, int enable);
// CmdOstrelUrl: the text of the reply.
int QueryOstrelUrl(CLANDAPObj& camera, uint16_t sequence, std::string& url);
// CmdOstrelGetAlias: the text of the reply.
int GetOstrelAlias(CLANDAPObj& camera, uint16_t sequence, std::string& alias);
// CmdOstrelSetAlias, then CmdOstrelAliasResult every 100 ms while the change is in progress,
// at most kAliasPollLimit polls. 0, -2, -5 alias refused, -1 (also for an empty alias or one of
// 64 bytes or more, which is not sent).
int SetOstrelAlias(CLANDAPMgr& manager, CLANDAPObj& camera, const std::string& alias);
// CmdOstrelSetSubDomain; an internal result as EnableOstrel (-1 for an empty or too long name).
int SetOstrelSubDomain(CLANDAPObj& camera, uint16_t sequence, const std::string& name);

// The remote-access search (command 265, port 62977) on the caller's thread: 0 when any
// camera answered, -1 otherwise or while the remote-access search worker runs.
int RemoteSearchNow(CLANCamFinder& finder);
// The same on the remote-access search worker, which sends NotifyCameraFound (version-2
// records) and NotifySearchDone: 0, -5 still running, -3 no live sink, -1.
int RemoteSearchInBackground(CLANCamFinder& finder);

}  // namespace yov
