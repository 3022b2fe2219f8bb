// js_call.cc: the six script calling forms, all built on the list form.
#include "js_call.h"

#include "page_host.h"

namespace torvel {

std::vector<std::string> ScriptArgs(std::initializer_list<int> values) {
    std::vector<std::string> args;
    for (int v : values) args.push_back(std::to_string(v));
    return args;
}

bool CJSCall::CallScript(const std::string& name) { return CallScript(name, std::vector<std::string>{}); }

bool CJSCall::CallScript(const std::string& name, const std::string& text) {
    return CallScript(name, std::vector<std::string>{text});
}

bool CJSCall::CallScript(const std::string& name, int value) { return CallScript(name, ScriptArgs({value})); }

bool CJSCall::CallScript(const std::string& name, int a, int b) { return CallScript(name, ScriptArgs({a, b})); }

bool CJSCall::CallScript(const std::string& name, int a, int b, int c, int d) {
    return CallScript(name, ScriptArgs({a, b, c, d}));
}

bool CJSCall::CallScript(const std::string& name, const std::vector<std::string>& texts) {
    if (!m_pDocument || name.empty()) return false;
    const Reply reply = m_pDocument->Request({{"op", "call"}, {"name", name}, {"args", texts}}, m_limit);
    return reply && reply->value("ok", false);
}

bool CallScript(IPageHost& host, const std::string& name) { return host.CallScript(name, {}); }

bool CallScript(IPageHost& host, const std::string& name, const std::string& text) {
    return host.CallScript(name, {text});
}

bool CallScript(IPageHost& host, const std::string& name, int value) {
    return host.CallScript(name, ScriptArgs({value}));
}

bool CallScript(IPageHost& host, const std::string& name, int a, int b) {
    return host.CallScript(name, ScriptArgs({a, b}));
}

bool CallScript(IPageHost& host, const std::string& name, int a, int b, int c, int d) {
    return host.CallScript(name, ScriptArgs({a, b, c, d}));
}

bool CallScript(IPageHost& host, const std::string& name, const std::vector<std::string>& texts) {
    return host.CallScript(name, texts);
}

}  // namespace torvel
