// dialog_texts.h: the texts of the about box, alias dialog and camera-information notice,
// read afresh from the configuration each time a dialog opens, and the alias check.
#pragma once

#include <filesystem>
#include <string>

#include "page_types.h"

namespace torvel {

// The icon shows when WizardType is "3", or "1" with Version "Generic" or "Quorvant".
bool BrandIconShown(const std::string& wizardType, const std::string& version);

// `programVersion` is "major.minor.build" or "major.minor.build.revision".
AboutTexts AboutTextsFromConfig(const std::filesystem::path& configFile, const std::string& programVersion);
AliasTexts AliasTextsFromConfig(const std::filesystem::path& configFile);
NoticeTexts NoticeTextsFromConfig(const std::filesystem::path& configFile);

// 0 when the alias is acceptable, else the message to show: 58 empty, 57 a character other
// than the digits, the ASCII letters and the hyphen.
int AliasRefusal(const std::string& alias);

}  // namespace torvel
