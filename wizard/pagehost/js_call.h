// js_call.h: calls of page script functions by name with string arguments.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "page_document.h"

namespace torvel {

// Formats the integer arguments of a script call ("%i").
std::vector<std::string> ScriptArgs(std::initializer_list<int> values);

// Holds one counted reference to the document of the page shown now (none at construction).
class CJSCall {
public:
    virtual ~CJSCall() = default;

    // Replaces (and releases) the held document reference.
    void SetDocument(std::shared_ptr<IPageDocument> document) { m_pDocument = std::move(document); }
    const std::shared_ptr<IPageDocument>& Document() const { return m_pDocument; }

    // True when the page has a function of that name and it ran without error. Arguments
    // reach the script as strings, in the given order.
    bool CallScript(const std::string& name);
    bool CallScript(const std::string& name, const std::string& text);
    bool CallScript(const std::string& name, int value);
    bool CallScript(const std::string& name, int a, int b);
    bool CallScript(const std::string& name, int a, int b, int c, int d);
    bool CallScript(const std::string& name, const std::vector<std::string>& texts);

protected:
    std::chrono::milliseconds m_limit{5000};  // time limit of one page request

private:
    std::shared_ptr<IPageDocument> m_pDocument;
};

}  // namespace torvel
