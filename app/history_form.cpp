#include "app/history_form.h"

#include "app/settings.h"

namespace huemira {

namespace {
constexpr wchar_t kHistoryFormClass[] = L"HuemiraHistoryForm";
constexpr int kColumns = 10;
}  // namespace

void SetSwatchColor(TFlatButton& swatch, COLORREF color) {
  swatch.SetColor(color);
  swatch.SetColorBorder(color);
  swatch.SetColorDown(color);
  swatch.SetColorFocused(color);
  swatch.SetColorHighLight(color);
  swatch.SetColorShadow(color);
}

TForm_HistoryColor::TForm_HistoryColor(HistoryColors& history) : history_(history) {}

void TForm_HistoryColor::Create() {
  CreateForm({kHistoryFormClass, L"Huemira-历史颜色库", 250, 214, WS_CAPTION | WS_SYSMENU}, false);
  for (int slot = kFirstSlot; slot <= HistoryColors::kSlots; ++slot) {
    const int index = slot - kFirstSlot;
    const int row = index / kColumns;
    const int column = index % kColumns;
    TFlatButton& swatch = Swatch(slot);
    swatch.Create(*this, {Bounds(16 + 22 * column, 14 + 23 * row, 20, 20), L"", L"历史颜色"});
    SetSwatchColor(swatch, history_.Slot(slot));
    swatch.OnClick = [this, slot] {
      if (OnSwatchClick) OnSwatchClick(slot);
    };
  }
  OnPaint = [this](HDC dc) {
    RECT bevel = Scale(Bounds(6, 5, 237, 200));
    DrawEdge(dc, &bevel, BDR_SUNKENOUTER, BF_RECT);
  };
  OnShow = [this] { CenterOnScreen(); };
  history_.AddListener([this](int slot) {
    if (slot >= kFirstSlot) SetSwatchColor(Swatch(slot), history_.Slot(slot));
  });
  FormCreate();
}

void TForm_HistoryColor::FormCreate() {
  history_.Load(kFirstSlot, HistoryColors::kSlots,
                [](const std::wstring& key) { return ReadSetting(L"HistoryColor", key); });
}

}  // namespace huemira
