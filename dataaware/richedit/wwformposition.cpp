#include "dataaware/richedit/wwformposition.h"

#include "platform/core/typinfo.h"

namespace vex {

struct TwwFormPositionProperties {
    static bool Register() {
        using P = TwwFormPosition;
        RegisterProperties(
            P::StaticClassInfo(),
            {OrdinalProperty("Left", tkInteger, "Integer", &P::GetLeft, &P::PutLeft),
             OrdinalProperty("Top", tkInteger, "Integer", &P::GetTop, &P::PutTop),
             OrdinalProperty("Width", tkInteger, "Integer", &P::GetWidth, &P::PutWidth),
             OrdinalProperty("Height", tkInteger, "Integer", &P::GetHeight, &P::PutHeight)});
        return true;
    }
};

namespace {
const bool FormPositionPublished = TwwFormPositionProperties::Register();
}  // namespace

void TwwFormPosition::Assign(const TPersistent* Source) {
    const auto* position = dynamic_cast<const TwwFormPosition*>(Source);
    if (position == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    Left = position->Left;
    Top = position->Top;
    Width = position->Width;
    Height = position->Height;
}

}  // namespace vex
