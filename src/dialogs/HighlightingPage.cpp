// The Highlighting page: the elements' colours, default flags and text attributes, the font,
// and the preview that shows them.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>

#include "dialogs/ColorDropButton.h"
#include "dialogs/FontCharsets.h"
#include "dialogs/OptionsDialog.h"
#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/FontFactory.h"

namespace ql {

void TOptionsDialog::FillElements() {
  elements_ = StyleElements(*Working());
  SynElementsBox->clear();
  for (const TStyleElement& element : elements_) SynElementsBox->addItem(QString::fromUtf8(element.Name.c_str()));
}

int32_t TOptionsDialog::SelectedElement() const {
  const int row = SynElementsBox->currentRow();
  return row >= 0 && row < static_cast<int>(elements_.size()) ? elements_[static_cast<size_t>(row)].Number : -1;
}

void TOptionsDialog::SynElementsBoxClick() {
  const int32_t number = SelectedElement();
  if (number < 0 || Working() == nullptr) return;
  updating_ = true;
  struct TEnd {
    bool& updating;
    ~TEnd() { updating = false; }
  } end{updating_};
  const TElementColors colors = ElementColors(*Working(), number);
  const bool style = !IsFixedElement(number);
  UseBoldBox->setChecked(style && (colors.FontStyle & fsBold) != 0);
  UseItalicBox->setChecked(style && (colors.FontStyle & fsItalic) != 0);
  UseUnderlineBox->setChecked(style && (colors.FontStyle & fsUnderline) != 0);
  for (QCheckBox* box : {UseBoldBox, UseItalicBox, UseUnderlineBox}) box->setEnabled(style);
  UseDefForeBox->setEnabled(colors.HasForeground);
  UseDefForeBox->setChecked(colors.HasForeground && colors.DefFore);
  foreButton_->setEnabled(colors.HasForeground && !colors.DefFore);
  if (colors.HasForeground) foreButton_->SetColor(colors.Fore);
  UseDefBackBox->setEnabled(true);
  UseDefBackBox->setChecked(colors.DefBack);
  backButton_->setEnabled(!colors.DefBack);
  backButton_->SetColor(colors.Back);
  foreButton_->update();
  backButton_->update();
}

void TOptionsDialog::PreviewApply() {
  FEditor->Perform(SMM_APPLYSETTINGS, 1);
  FEditor->viewport()->update();
}

void TOptionsDialog::ApplyColour() {
  const int32_t number = SelectedElement();
  if (updating_ || number < 0 || Working() == nullptr) return;
  SetElementColors(*Working(), number, foreButton_->Color(), backButton_->Color());
  PreviewApply();
}

void TOptionsDialog::UseDefForeBoxClick(bool foreground) {
  const int32_t number = SelectedElement();
  if (updating_ || number < 0 || Working() == nullptr) return;
  SetElementDefault(*Working(), number, foreground, (foreground ? UseDefForeBox : UseDefBackBox)->isChecked());
  PreviewApply();
  SynElementsBoxClick();
}

void TOptionsDialog::UseBoldBoxClick(int tag, bool on) {
  const int32_t number = SelectedElement();
  if (updating_ || number < 0 || IsFixedElement(number) || Working() == nullptr) return;
  static const uint8_t bits[] = {fsBold, fsItalic, fsUnderline};
  SetElementFontStyle(*Working(), number, bits[tag - 1], on);
  PreviewApply();
}

void TOptionsDialog::FontFamilyBoxChange() {
  if (updating_ || Working() == nullptr) return;
  const int index = FontFamilyBox->currentIndex();
  const uint8_t charset = index >= 0 ? static_cast<uint8_t>(FontFamilyBox->itemData(index).toUInt()) : DEFAULT_CHARSET;
  FontNameBox->clear();
  QStringList faces = FontFaces(charset);
  TFontSpec font = FEditor->GetFont();
  // A face the system knows by another name (a metric-compatible substitute) is listed too, so
  // the box shows the font in force.
  const QString current = QString::fromUtf8(font.Name.c_str());
  if (!faces.contains(current, Qt::CaseInsensitive) && QFontInfo(QFont(current)).family() != current &&
      faces.contains(QFontInfo(QFont(current)).family(), Qt::CaseInsensitive)) {
    faces.append(current);
    faces.sort(Qt::CaseInsensitive);
  }
  FontNameBox->addItems(faces);
  const int name = FontNameBox->findText(current, Qt::MatchFixedString);
  FontNameBox->setCurrentIndex(name);
  if (name >= 0 && index >= 0 && font.CharSet != charset) {
    font.CharSet = charset;
    FEditor->SetFont(font);
  }
}

void TOptionsDialog::FontNameBoxChange() {
  if (updating_ || Working() == nullptr || FontNameBox->currentIndex() < 0) return;
  TFontSpec font = FEditor->GetFont();
  font.Name = FontNameBox->currentText().toStdString();
  FEditor->SetFont(font);
  Working()->FontName = font.Name;
  UpdateOptionBoxStates();
}

void TOptionsDialog::FontSizeBoxChange() {
  if (updating_ || Working() == nullptr || FontSizeBox->currentIndex() < 0) return;
  TFontSpec font = FEditor->GetFont();
  font.Size = FontSizeBox->currentText().toInt();
  FEditor->SetFont(font);
  Working()->FontSize = font.Size;
}

void TOptionsDialog::EditorMouseDown(QPoint point) {
  if (Working() == nullptr) return;
  const QRect inside = FEditor->viewport()->rect().adjusted(1, 1, -1, -1);
  if (!inside.contains(point)) return;
  if (std::abs(point.x() - lastPreviewClick_.x()) <= 5 && std::abs(point.y() - lastPreviewClick_.y()) <= 5) return;
  lastPreviewClick_ = point;
  const int32_t offset = FEditor->CharFromPoint(point.x(), point.y());
  const int32_t index = ElementAtOffset(*FEditor, offset, elements_);
  if (index < 0) return;
  updating_ = true;
  SynElementsBox->setCurrentRow(index);
  updating_ = false;
  SynElementsBoxClick();
}

}  // namespace ql
