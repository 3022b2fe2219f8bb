// Search family: the camera search and refresh (CmdSearch) and the remote-access search.
#include "camera_payloads.h"
#include "handler_table.h"

namespace camsim {
namespace {

// Answers both the search (broadcast MAC, Marker 0) and the refresh of one camera (its MAC,
// Marker 0x7777 then 0); "only_marker0" in the camera's behaviour drops the 0x7777 rounds.
std::vector<Answer> Search(Camera& camera, const Request&, const CommandOptions&) {
  auto payload = CameraInfoPayload(camera);
  return {Answer{yov::kStatusOk, {payload.begin(), payload.end()}}};
}

std::vector<Answer> RemoteSearch(Camera& camera, const Request&, const CommandOptions&) {
  auto payload = RemoteInfoPayload(camera);
  return {Answer{yov::kStatusOk, {payload.begin(), payload.end()}}};
}

const RegisterHandler kSearch{{yov::CmdSearch, yov::kLandapPort, true, &Search}};
const RegisterHandler kRemoteSearch{
    {yov::CmdOstrelSearch, yov::kRemoteAccessPort, true, &RemoteSearch}};

}  // namespace
}  // namespace camsim
