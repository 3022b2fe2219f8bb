// dialog_texts.cc: dialog texts from Config.ini.
#include "dialog_texts.h"

#include <cstdio>

#include "profile_reader.h"

namespace torvel {
namespace {

constexpr const char* kBuiltInNotice = "Copyright (C) All rights reserved.";

std::string FourPartVersion(const std::string& version) {
    int part[4] = {0, 0, 0, 0};
    std::sscanf(version.c_str(), "%d.%d.%d.%d", &part[0], &part[1], &part[2], &part[3]);
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", part[0], part[1], part[2], part[3]);
    return text;
}

}  // namespace

bool BrandIconShown(const std::string& wizardType, const std::string& version) {
    return wizardType == "3" || (wizardType == "1" && (version == "Generic" || version == "Quorvant"));
}

AboutTexts AboutTextsFromConfig(const std::filesystem::path& configFile, const std::string& programVersion) {
    const CProfileReader config(configFile);
    const std::string type = config.GetString("System", "WizardType");
    const std::string title = config.GetString("System", "Title");
    AboutTexts texts;
    if (type == "3") {
        texts.caption = config.GetString("System", "About");
        texts.versionLine = title + "   " + config.GetString("System", "Ver");
    } else {
        texts.caption = "About " + title;
        texts.versionLine = title + " Version";
    }
    const std::string copyright = config.GetString("System", "Copyright");
    texts.notice = copyright.empty() ? kBuiltInNotice : copyright;
    texts.showIcon = BrandIconShown(type, config.GetString("System", "Version"));
    texts.fileVersion = programVersion.empty() ? std::string() : FourPartVersion(programVersion);
    return texts;
}

AliasTexts AliasTextsFromConfig(const std::filesystem::path& configFile) {
    const CProfileReader config(configFile);
    return {config.GetString("System", "Title"), config.GetString("Message", "Message55"),
            config.GetString("Message", "Message56"), config.GetString("Message", "Message54"),
            config.GetString("Message", "Message59")};
}

NoticeTexts NoticeTextsFromConfig(const std::filesystem::path& configFile) {
    const CProfileReader config(configFile);
    return {config.GetString("System", "Title"), config.GetString("Message", "Message41"),
            config.GetString("Message", "Message53"), config.GetString("Message", "Message54")};
}

int AliasRefusal(const std::string& alias) {
    if (alias.empty()) return 58;
    for (unsigned char c : alias) {
        const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
        if (!allowed) return 57;
    }
    return 0;
}

}  // namespace torvel
