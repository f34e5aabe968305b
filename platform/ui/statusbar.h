#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/graphiccontrol.h"

namespace vex {

class TStatusBar;
class TStatusPanels;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

// One panel of a status bar. A change repaints the bar.
class TStatusPanel {
public:
    explicit TStatusPanel(TStatusPanels& Collection) : FCollection(Collection) {}
    TStatusPanel(const TStatusPanel&) = delete;
    TStatusPanel& operator=(const TStatusPanel&) = delete;

    // The place among the bar's panels, from 0.
    int32_t Index() const;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    // The last panel takes whatever width the others leave.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t Value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // An owner-drawn panel is painted by the bar's OnDrawPanel, inside its bevel.
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);

    void Assign(const TStatusPanel& Source);

private:
    template <class T>
    void Change(T& Field, T Value);

    TStatusPanels& FCollection;
    std::string FText;
    int32_t FWidth = 50;
    TStatusPanelBevel FBevel = pbLowered;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelStyle FStyle = psText;
};

// The panels of a status bar, in order from the left.
class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar& StatusBar) : FStatusBar(StatusBar) {}
    TStatusPanels(const TStatusPanels&) = delete;
    TStatusPanels& operator=(const TStatusPanels&) = delete;

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    // Index counts from 0; out of range raises EListError.
    TStatusPanel* Items(int32_t Index) const;
    TStatusPanel* operator[](int32_t Index) const { return Items(Index); }
    int32_t IndexOf(const TStatusPanel* Panel) const;

    TStatusPanel* Add();
    // Index from 0 to Count; out of range raises EListError.
    TStatusPanel* Insert(int32_t Index);
    void Delete(int32_t Index);
    void Clear();
    // The same panels as Source, with their properties.
    void Assign(const TStatusPanels& Source);

    TStatusBar& StatusBar() const { return FStatusBar; }

    // Between the outermost BeginUpdate and its EndUpdate, changes repaint the bar once.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void Changed();

private:
    TStatusBar& FStatusBar;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
    int32_t FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

using TDrawPanelEvent =
    std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

// A strip of panels along the bottom of its parent, with a size grip in the corner that sizes
// the form while the form is sizeable. It never takes the focus. With SimplePanel on it shows
// SimpleText alone over the whole strip, the panels kept for when it is turned off.
class TStatusBar : public TCustomControl {
    VEX_CLASS(TStatusBar, TCustomControl)

public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels& Panels() { return *FPanels; }
    void SetPanels(const TStatusPanels& Value) { FPanels->Assign(Value); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);

    // Where panel Index lies, its bevel included, in client coordinates; empty for a panel
    // that does not show.
    TRect PanelRect(int32_t Index);
    // The grip's square, empty when no grip shows.
    TRect SizeGripRect();

    // Paints an owner-drawn panel; the canvas has the bar's font and colour.
    TDrawPanelEvent OnDrawPanel;

protected:
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void WndProc(TMessage& Message) override;

private:
    // The grip shows while asked for and the bar's form can be sized.
    bool GripShows();
    // Draws the bevel and Text; answers the rectangle inside the bevel.
    TRect PaintPanel(const TRect& Rect, TStatusPanelBevel Bevel, TAlignment Alignment,
                     const std::string& Text);

    std::unique_ptr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
    // While the grip is dragged: where the drag began on the screen, and the form's size then.
    bool FSizing = false;
    TPoint FSizingFrom;
    TPoint FSizingSize;
};

}  // namespace vex
