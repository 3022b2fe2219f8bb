// start_window.cc: first page, exit and about for this stage of the wizard.
#include "start_window.h"

#include "dialog_texts.h"
#include "profile_reader.h"

namespace torvel {

CStartWindow::CStartWindow(IPageHost& host, std::filesystem::path htmlDir, std::string programVersion)
    : m_host(host), m_htmlDir(std::move(htmlDir)), m_configIni(m_htmlDir / "Config.ini"),
      m_programVersion(std::move(programVersion)) {}

void CStartWindow::Initialise() {
    const CProfileReader config(m_configIni);
    m_strTitle = config.GetString("System", "Title");
    m_host.SetWindowTitle(m_strTitle);
    m_host.SetWindowSize(config.GetInt("System", "WindowWidth"), config.GetInt("System", "WindowHeight"));
    m_host.SetEventTable({
        {"Install_exit", EventKind::Click, [this](const std::string&) { m_host.EndDialog(0); }},
        {"about", EventKind::Click,
         [this](const std::string&) { m_host.ShowAbout(AboutTextsFromConfig(m_configIni, m_programVersion)); }},
    });
    const std::string type = config.GetString("System", "WizardType");
    m_host.Navigate(type == "1" || type == "3" ? (m_htmlDir / "1_Install.html").string() : std::string());
}

void CStartWindow::OnDocumentComplete(const std::string&) {}

void CStartWindow::OnTimer(unsigned id) { m_host.KillTimer(id); }

std::intptr_t CStartWindow::OnMessage(unsigned, std::uintptr_t, std::intptr_t) { return 0; }

void CStartWindow::OnKey(const KeyEvent&) {}

void CStartWindow::OnSlotEvent(const SlotEvent&) {}

}  // namespace torvel
