// The list box window's own procedure: what it answers to the LB_ messages, the keys, the
// mouse and its scroll bar.

#include <algorithm>
#include <string>

#include "platform/ui/listbox.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

int32_t IndexOf(WPARAM WParam) {
    return static_cast<int32_t>(static_cast<intptr_t>(WParam));
}

std::string TextOf(LPARAM LParam) {
    const auto* text = reinterpret_cast<const char*>(LParam);
    return text != nullptr ? text : "";
}

}  // namespace

void TCustomListBox::DefaultHandler(TMessage& Message) {
    if (ListMessage(Message)) return;
    // A drag or a release tells of a change, and the OnClick it fires may free the list.
    const std::weak_ptr<const void> life = LifeToken();
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return;
        case WM_KEYDOWN:
            MoveByKey(static_cast<uint16_t>(Message.WParam));
            return;
        case WM_CHAR:
            TypeCharacter(static_cast<char>(Message.WParam));
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            PressAt(MessagePoint(Message.LParam), Message.WParam, Message.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
            if (FTracking) DragTo(MessagePoint(Message.LParam));
            break;
        case WM_LBUTTONUP:
            Release();
            break;
        case WM_CANCELMODE:
            FTracking = false;
            break;
        case WM_VSCROLL:
            Scroll(Message.WParam);
            return;
        case WM_MOUSEWHEEL:
            Wheel(GET_WHEEL_DELTA_WPARAM(Message.WParam));
            Message.Result = 1;
            return;
        default:
            break;
    }
    if (!life.expired()) TWinControl::DefaultHandler(Message);
}

LRESULT TCustomListBox::SetCurSel(int32_t Index) {
    if (IsMulti()) return LB_ERR;
    const int32_t old = FContent.Current();
    FContent.SetCurrent(Index);
    FContent.SetCaret(FContent.Current());
    FContent.SetAnchor(FContent.Current());
    if (old != FContent.Current()) {
        InvalidateItem(old);
        InvalidateItem(FContent.Current());
    }
    MakeVisible(FContent.Current());
    return FContent.Valid(Index) ? Index : LB_ERR;
}

LRESULT TCustomListBox::SelectString(int32_t Start, const char* Prefix) {
    const int32_t found = FContent.FindPrefix(Start, TextOf(reinterpret_cast<LPARAM>(Prefix)));
    if (found == TListBoxContent::NoItem) return LB_ERR;
    if (IsMulti()) {
        FContent.SetCaret(found);
        InvalidateItem(found);
        MakeVisible(found);
        return found;
    }
    return SetCurSel(found);
}

bool TCustomListBox::ListMessage(TMessage& Message) {
    const int32_t index = IndexOf(Message.WParam);
    LRESULT& result = Message.Result;
    switch (Message.Msg) {
        case LB_ADDSTRING:
            result = AddItem(TextOf(Message.LParam), nullptr);
            return true;
        case LB_INSERTSTRING: {
            const int32_t at = InsertItem(index, TextOf(Message.LParam), nullptr);
            result = at == TListBoxContent::NoItem ? LB_ERR : at;
            return true;
        }
        case LB_DELETESTRING:
            result = DeleteItem(index) ? FContent.Count() : LB_ERR;
            return true;
        case LB_RESETCONTENT:
            ResetContent();
            result = LB_OKAY;
            return true;
        case LB_GETCOUNT:
            result = FContent.Count();
            return true;
        case LB_GETTEXT:
            if (!FContent.Valid(index) || Message.LParam == 0) {
                result = LB_ERR;
                return true;
            }
            *reinterpret_cast<std::string*>(Message.LParam) = FContent.Text(index);
            result = static_cast<LRESULT>(FContent.Text(index).size());
            return true;
        case LB_GETTEXTLEN:
            result =
                FContent.Valid(index) ? static_cast<LRESULT>(FContent.Text(index).size()) : LB_ERR;
            return true;
        case LB_GETITEMDATA:
            result =
                FContent.Valid(index) ? reinterpret_cast<LRESULT>(FContent.Object(index)) : LB_ERR;
            return true;
        case LB_SETITEMDATA:
            result = FContent.SetObject(index, reinterpret_cast<TObject*>(Message.LParam)) ? LB_OKAY
                                                                                           : LB_ERR;
            return true;
        case LB_GETCURSEL:
            result = IsMulti() ? FContent.Caret() : FContent.Current();
            return true;
        case LB_SETCURSEL:
            result = SetCurSel(index);
            return true;
        case LB_GETSEL:
            result = !FContent.Valid(index) ? LB_ERR
                     : IsMulti()            ? FContent.Selected(index)
                                            : FContent.Current() == index;
            return true;
        case LB_SETSEL: {
            // lParam -1 is every item.
            const auto item = static_cast<int32_t>(Message.LParam);
            if (!IsMulti() || (item != -1 && !FContent.Valid(item))) {
                result = LB_ERR;
                return true;
            }
            if (item == -1)
                FContent.SelectRange(0, FContent.Count() - 1, Message.WParam != 0);
            else
                FContent.SetSelected(item, Message.WParam != 0);
            if (item == -1) Invalidate();
            InvalidateItem(item);
            result = LB_OKAY;
            return true;
        }
        case LB_SELITEMRANGE:
            if (!IsMulti()) {
                result = LB_ERR;
                return true;
            }
            FContent.SelectRange(LOWORD(Message.LParam), HIWORD(Message.LParam),
                                 Message.WParam != 0);
            Invalidate();
            result = LB_OKAY;
            return true;
        case LB_GETSELCOUNT:
            result = IsMulti() ? FContent.SelCount() : LB_ERR;
            return true;
        case LB_GETCARETINDEX:
            // A multiple selection's caret starts on the first item.
            if (!IsMulti())
                result = FContent.Current();
            else if (FContent.Caret() != TListBoxContent::NoItem)
                result = FContent.Caret();
            else
                result = FContent.Count() > 0 ? 0 : LB_ERR;
            return true;
        case LB_SETCARETINDEX:
            if (!FContent.Valid(index)) {
                result = LB_ERR;
                return true;
            }
            if (!IsMulti()) {
                result = SetCurSel(index) == LB_ERR ? LB_ERR : LB_OKAY;
                return true;
            }
            InvalidateItem(FContent.Caret());
            FContent.SetCaret(index);
            InvalidateItem(index);
            MakeVisible(index);
            result = LB_OKAY;
            return true;
        case LB_FINDSTRING:
            result = FContent.FindPrefix(index, TextOf(Message.LParam));
            return true;
        case LB_FINDSTRINGEXACT:
            result = FContent.FindExact(index, TextOf(Message.LParam));
            return true;
        case LB_SELECTSTRING:
            result = SelectString(index, reinterpret_cast<const char*>(Message.LParam));
            return true;
        case LB_GETTOPINDEX:
            result = FTopIndex;
            return true;
        case LB_SETTOPINDEX:
            if (index < 0 || (index >= FContent.Count() && index != 0)) {
                result = LB_ERR;
                return true;
            }
            ScrollTo(index);
            result = LB_OKAY;
            return true;
        case LB_GETITEMRECT: {
            auto* rect = reinterpret_cast<TRect*>(Message.LParam);
            // The first row has a place even in an empty list.
            if (rect == nullptr || (index != 0 && !FContent.Valid(index))) {
                result = LB_ERR;
                return true;
            }
            *rect = ItemRect(index);
            result = LB_OKAY;
            return true;
        }
        case LB_GETITEMHEIGHT:
            result = IsVariable() && FContent.Valid(index) ? RowHeight(index) : ItemHeight();
            return true;
        case LB_SETITEMHEIGHT: {
            const int32_t height = LOWORD(Message.LParam);
            if (height <= 0 || height > MaxItemHeight) {
                result = LB_ERR;
                return true;
            }
            if (IsVariable()) {
                result = FContent.SetHeight(index, height) ? LB_OKAY : LB_ERR;
                ContentChanged(index);
            } else {
                SetItemHeight(height);
                result = LB_OKAY;
            }
            return true;
        }
        case LB_SETTABSTOPS: {
            const auto* stops = reinterpret_cast<const int32_t*>(Message.LParam);
            if (Message.WParam > 0 && stops == nullptr) {
                result = 0;
                return true;
            }
            FTabStops.assign(stops, stops + Message.WParam);
            Invalidate();
            result = 1;
            return true;
        }
        case LB_ITEMFROMPOINT: {
            bool outside = false;
            const int32_t item = ItemFromPoint(MessagePoint(Message.LParam), outside);
            result = MAKELONG(static_cast<uint16_t>(item), outside ? 1 : 0);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace vex
