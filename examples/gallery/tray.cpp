// A tray icon and what the tray shows of it: its icon in each state, side by side with the
// picture it hands the tray now, which steps through its frames while it is animated.

#include <filesystem>
#include <string>
#include <system_error>

#include "components/misc/PGTray95.h"
#include "components/misc/PGTray95Animation.h"
#include "examples/gallery/groups.h"
#include "platform/core/stream.h"
#include "platform/core/stringlist.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/button.h"
#include "platform/ui/graphiccontrol.h"

namespace gallery {

using namespace vex;

namespace {

constexpr int kSide = 16;

// An envelope of the given paper colour on a blue tile: the mail the tray watches.
void DrawEnvelope(TBitmap& Picture, uint32_t Paper) {
    constexpr uint32_t kGround = 0x3060C0, kInk = 0x202020;
    Picture.SetSize(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        uint32_t* row = Picture.ScanLine(y);
        for (int x = 0; x < kSide; ++x) {
            const bool inside = y >= 3 && y <= 12 && x >= 1 && x <= 14;
            const bool edge = inside && (y == 3 || y == 12 || x == 1 || x == 14);
            const bool flap = inside && (y - 3 == x - 1 || y - 3 == 14 - x) && y <= 9;
            row[x] = !inside ? kGround : edge || flap ? kInk : Paper;
        }
    }
}

void MakeIcon(TIcon& Icon, uint32_t Paper) {
    TBitmap picture;
    DrawEnvelope(picture, Paper);
    TMemoryStream png;
    picture.SaveToStream(png);
    png.SetPosition(0);
    Icon.LoadFromStream(png);
}

// The animation's frames are files, as a program ships them; written once where the system
// keeps temporary files.
TStringList FrameFiles() {
    TStringList names;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vexbane-gallery";
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    for (uint32_t paper : {0xFFFFFFu, 0xFFE060u, 0xFF9040u}) {
        const std::string file = (dir / ("tray" + std::to_string(names.Count()) + ".png")).string();
        TBitmap frame;
        DrawEnvelope(frame, paper);
        frame.SaveToFile(file);
        names.Add(file);
    }
    return names;
}

// Shows an icon at twice its size on a light ground, as a tray would show it.
class TIconView : public TGraphicControl {
public:
    TIconView(TComponent* AOwner, const TIcon& AIcon) : TGraphicControl(AOwner), FIcon(AIcon) {}

protected:
    void Paint() override {
        TCanvas& canvas = Canvas();
        canvas.Brush().SetColor(clBtnHighlight);
        canvas.FillRect(ClientRect());
        const int side = 2 * kSide, left = (Width() - side) / 2, top = (Height() - side) / 2;
        if (!FIcon.Empty()) canvas.StretchDraw(Rect(left, top, left + side, top + side), FIcon);
    }

private:
    const TIcon& FIcon;
};

}  // namespace

int TrayIcons(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 92, "Tray icon");
    auto* tray = new TPGTrayIcon95(Form);
    TIcon icon;
    MakeIcon(icon, 0xFFFFFF);
    tray->SetIcon(icon);
    MakeIcon(icon, 0xB0B0B0);
    tray->SetDisabledIcon(icon);
    tray->Animation().SetIcons(FrameFiles());
    tray->Animation().SetInterval(300);
    tray->SetHint("Vexbane: no mail waiting");

    const struct {
        const char* Caption;
        const TIcon& Shown;
    } views[] = {{"Normal", tray->Icon()},
                 {"Disabled", tray->DisabledIcon()},
                 {"In the tray", tray->CurrentIcon()}};
    int x = 8;
    TIconView* live = nullptr;
    for (const auto& view : views) {
        live = Add<TIconView>(box, Rect(x, 6, x + 40, 46), view.Shown);
        AddLabel(box, Rect(x - 4, 50, x + 64, 66), view.Caption);
        x += 72;
    }
    auto* animate = Add<TButton>(box, Rect(220, 14, 290, 38));
    animate->SetCaption("Animate");
    animate->OnClick = [tray, animate, live](TObject*) {
        const bool on = tray->State() != tsAnimated;
        tray->SetState(on ? tsAnimated : tsEnabled);
        animate->SetCaption(on ? "Stop" : "Animate");
        live->Invalidate();
    };
    tray->OnAnimation = [live](TObject*) { live->Invalidate(); };
    tray->SetActive(true);
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
