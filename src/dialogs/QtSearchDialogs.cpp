#include "dialogs/QtSearchDialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "editor/CustomInkMemo.h"
#include "editor/qt/EventBoundary.h"
#include "toolkit/TextEncoding.h"

namespace ql {
namespace {

QString Caption() {
  const QString name = QGuiApplication::applicationDisplayName();
  return name.isEmpty() ? QStringLiteral("Quillon") : name;
}

// The dialogs as one editor uses them.
class TEditorDialogs : public TSearchDialogs {
public:
  TEditorDialogs(std::shared_ptr<TQtSearchDialogs> dialogs, TCustomInkMemo& editor)
      : shared_(std::move(dialogs)), dialogs_(*shared_), editor_(editor) {}
  ~TEditorDialogs() override { dialogs_.Unbind(this); }

  void ShowFind(const TSearchOptions& options, TSearchDialogEvents& events) override {
    Present(dialogs_.FindDialog(), options, events);
  }
  void ShowReplace(const TSearchOptions& options, TSearchDialogEvents& events) override {
    Present(dialogs_.ReplaceDialog(), options, events);
  }
  void CloseFind() override { dialogs_.FindDialog().hide(); }
  void CloseReplace() override { dialogs_.ReplaceDialog().hide(); }
  TReplaceAnswer AskReplace(const std::string& question) override { return dialogs_.AskReplace(Text(question)); }
  void ShowPatternError(const std::string& text) override { dialogs_.ShowPatternError(Text(text)); }
  void ShowNotFound(const std::string& text) override { dialogs_.ShowNotFound(Text(text)); }
  void SetWaitCursor(bool on) override { dialogs_.SetWaitCursor(on); }

private:
  QString Text(const std::string& bytes) const {
    return QString::fromStdString(BytesToUtf8(editor_.DisplayEncoding(), bytes));
  }
  std::string Bytes(const QString& text) const { return Utf8ToBytes(editor_.DisplayEncoding(), text.toStdString()); }

  void Present(TFindReplaceDialog& dialog, const TSearchOptions& options, TSearchDialogEvents& events) {
    TFindFields fields;
    fields.Find = Text(options.FindText);
    fields.Replace = Text(options.ReplaceText);
    fields.MatchCase = options.MatchCase;
    fields.WholeWord = options.WholeWord;
    fields.Down = options.Down;
    fields.Regex = options.Regex;
    dialogs_.Bind(dialog, this);
    dialog.Present(fields, [this, &events](TFindAction action, const TFindFields& f) {
      TSearchOptions o;
      o.FindText = Bytes(f.Find);
      o.ReplaceText = Bytes(f.Replace);
      o.MatchCase = f.MatchCase;
      o.WholeWord = f.WholeWord;
      o.Down = f.Down;
      o.Regex = f.Regex;
      RunGuarded([&] {
        if (action == TFindAction::FindNext) events.FindNext(o);
        else events.Replace(o, action == TFindAction::ReplaceAll);
      });
    });
  }

  std::shared_ptr<TQtSearchDialogs> shared_;
  TQtSearchDialogs& dialogs_;
  TCustomInkMemo& editor_;
};

}  // namespace

std::shared_ptr<TQtSearchDialogs> TQtSearchDialogs::Create(QWidget* parent) {
  return std::shared_ptr<TQtSearchDialogs>(new TQtSearchDialogs(parent));
}

TQtSearchDialogs::~TQtSearchDialogs() {
  while (waitCursors_ > 0) SetWaitCursor(false);
}

std::unique_ptr<TSearchDialogs> TQtSearchDialogs::For(TCustomInkMemo& editor) {
  return std::make_unique<TEditorDialogs>(shared_from_this(), editor);
}

void TQtSearchDialogs::Bind(TFindReplaceDialog& dialog, const void* owner) {
  (&dialog == find_ ? findOwner_ : replaceOwner_) = owner;
}

void TQtSearchDialogs::Unbind(const void* owner) {
  // The dialog of an editor that goes away no longer acts for it.
  if (findOwner_ == owner && !find_.isNull()) find_->Detach();
  if (replaceOwner_ == owner && !replace_.isNull()) replace_->Detach();
  if (findOwner_ == owner) findOwner_ = nullptr;
  if (replaceOwner_ == owner) replaceOwner_ = nullptr;
}

TFindReplaceDialog& TQtSearchDialogs::FindDialog() {
  if (find_.isNull()) find_ = new TFindReplaceDialog(false, parent_);
  last_ = find_;
  return *find_;
}

TFindReplaceDialog& TQtSearchDialogs::ReplaceDialog() {
  if (replace_.isNull()) replace_ = new TFindReplaceDialog(true, parent_);
  last_ = replace_;
  return *replace_;
}

TFindReplaceDialog* TQtSearchDialogs::VisibleDialog() const {
  for (TFindReplaceDialog* d : {static_cast<TFindReplaceDialog*>(replace_), static_cast<TFindReplaceDialog*>(find_)})
    if (d != nullptr && d->isVisible()) return d;
  return nullptr;
}

TReplaceAnswer TQtSearchDialogs::AskReplace(const QString& question) {
  QMessageBox box(QMessageBox::Question, Caption(), question, QMessageBox::NoButton, parent_);
  QPushButton* yes = box.addButton(QMessageBox::Yes);
  QPushButton* no = box.addButton(QMessageBox::No);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  QPushButton* all = box.addButton(QObject::tr("&All"), QMessageBox::YesRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  // Beside the dialog, so that the match it asks about stays in view.
  if (TFindReplaceDialog* near = VisibleDialog()) {
    box.adjustSize();
    const QRect dialog = near->frameGeometry();
    QPoint at(dialog.left(), dialog.bottom() + 8);
    if (const QScreen* screen = near->screen()) {
      const QRect room = screen->availableGeometry();
      if (at.y() + box.height() > room.bottom()) at.setY(std::max(room.top(), dialog.top() - box.height() - 8));
      at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - box.width())));
    }
    box.move(at);
  }
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == yes) return TReplaceAnswer::Yes;
  if (clicked == no) return TReplaceAnswer::No;
  if (clicked == all) return TReplaceAnswer::All;
  return TReplaceAnswer::Cancel;
}

void TQtSearchDialogs::ShowPatternError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, Caption(), QString(), QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::RichText);
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setText(QStringLiteral("<pre style=\"font-family: monospace\">") + lines.toHtmlEscaped() + QStringLiteral("</pre>"));
  box.exec();
}

void TQtSearchDialogs::ShowNotFound(const QString& text) {
  QMessageBox::information(last_ != nullptr && last_->isVisible() ? static_cast<QWidget*>(last_) : parent_, Caption(), text);
}

void TQtSearchDialogs::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitCursors_;
  } else if (waitCursors_ > 0) {
    QApplication::restoreOverrideCursor();
    --waitCursors_;
  }
}

}  // namespace ql
