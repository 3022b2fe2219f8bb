// start_window.h: the wizard window of this stage of the program: configured title and size,
// the first page, the exit button and the about box. No camera logic yet.
#pragma once

#include <filesystem>
#include <string>

#include "page_host.h"

namespace torvel {

class CStartWindow : public IWindowHandler {
public:
    CStartWindow(IPageHost& host, std::filesystem::path htmlDir, std::string programVersion);
    // Reads the configuration and shows the first page ("1_Install.html" for WizardType 1 or 3,
    // no page otherwise).
    void Initialise();

    void OnDocumentComplete(const std::string& address) override;
    void OnTimer(unsigned id) override;
    std::intptr_t OnMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) override;
    void OnKey(const KeyEvent& key) override;
    void OnSlotEvent(const SlotEvent& event) override;

private:
    IPageHost& m_host;
    std::filesystem::path m_htmlDir;
    std::filesystem::path m_configIni;
    std::string m_programVersion;
    std::string m_strTitle;
};

}  // namespace torvel
