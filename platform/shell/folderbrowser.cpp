#include "platform/shell/folderbrowser.h"

#include <utility>

namespace vex {

namespace {

TFolderBrowser* InstalledBrowser = nullptr;
TFolderBrowser* OverridingBrowser = nullptr;

}  // namespace

TFolderBrowser* FolderBrowser() {
    return OverridingBrowser != nullptr ? OverridingBrowser : InstalledBrowser;
}

TFolderBrowser* InstalledFolderBrowser() {
    return InstalledBrowser;
}

void SetFolderBrowser(TFolderBrowser* Browser) {
    InstalledBrowser = Browser;
}

TFolderBrowserOverride::TFolderBrowserOverride(TFolderBrowser& Browser)
    : FPrevious(std::exchange(OverridingBrowser, &Browser)) {}

TFolderBrowserOverride::~TFolderBrowserOverride() {
    OverridingBrowser = FPrevious;
}

}  // namespace vex
