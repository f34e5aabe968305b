#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/shell/folderbrowser.h"

namespace vex {

class TFont;

// The folder chooser as a dialog of the standard controls: the title above a tree of the root's
// folders, a status line under the title when the run asks for one, OK and Cancel. Enter is
// OK, Escape Cancel. Its parts are named "Title", "Status", "Tree", "OK" and "Cancel".
class TFolderBrowserForm : public TFolderBrowser {
public:
    TFolderBrowserForm();
    ~TFolderBrowserForm() override;

    // The font the dialog is laid out and written in: the screen's dialog font unless set.
    void SetFont(const TFont& Value);

    // A root that is no existing folder raises Exception.
    std::optional<std::string> Browse(const TFolderBrowseParams& Params) override;

private:
    std::unique_ptr<TFont> FFont;
};

// Makes the form the program's chooser, unless the program installed one: a function called
// by whoever needs the chooser, not a static's initialisation, so it holds whatever the order
// the program's parts were linked or made in.
void InstallFolderBrowserForm();

}  // namespace vex
