// Messages that lead to their place: each message line that names a line of the XML source or the
// stylesheet is a link; a double click, Enter or F4 goes to that place.
#include <QFile>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "app/ProcessorMessages.h"
#include "app/QlnInkMemo.h"

namespace ql {

void TMainForm::CreateMessagesPane() {
  pnlMessages = new QWidget(pnlResults);
  pnlMessages->setObjectName(QStringLiteral("pnlMessages"));
  auto* layout = new QVBoxLayout(pnlMessages);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* header = new QLabel(QStringLiteral("  Messages of the processor (the run succeeded)"), pnlMessages);
  header->setObjectName(QStringLiteral("MessagesCaption"));
  header->setFixedHeight(20);
  header->setAutoFillBackground(true);
  header->setBackgroundRole(QPalette::Window);
  layout->addWidget(header);
  MessagesDoc = new TqlnInkMemo(pnlMessages);
  MessagesDoc->setObjectName(QStringLiteral("MessagesDoc"));
  MessagesDoc->SetReadOnly(true);
  MessagesDoc->OnLinkActivated = [this](TqlnInkMemo&, int32_t link) { FollowMessage(link); };
  layout->addWidget(MessagesDoc, 1);
  pnlMessages->hide();

  // The result above, the messages below; the user can move the border between them.
  auto* split = new QSplitter(Qt::Vertical, pnlResults);
  split->setObjectName(QStringLiteral("ResultsSplitter"));
  split->setChildrenCollapsible(false);
  delete pnlResults->layout()->replaceWidget(ResultsDoc, split);
  split->addWidget(ResultsDoc);
  split->addWidget(pnlMessages);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  ResultsDoc->OnLinkActivated = [this](TqlnInkMemo&, int32_t link) { FollowMessage(link); };
}

void TMainForm::ShowMessages(TqlnInkMemo& view, const std::string& text, const std::vector<TDocKind>& kinds) {
  std::vector<std::string> names;
  for (const TDocKind kind : kinds) names.push_back(EditorOf(kind)->FileName);
  messageView_ = &view;
  messagePlaces_ = FindMessagePlaces(text, names);
  messageKinds_ = kinds;
  messageNames_ = names;
  currentMessage_ = -1;
  std::vector<TqlnInkMemoLink> links;
  for (const TMessagePlace& place : messagePlaces_) links.push_back({place.Row + 1, place.Start, place.Length});
  view.SetLinks(links);
}

int32_t TMainForm::MessageCount() const { return static_cast<int32_t>(messagePlaces_.size()); }

QString TMainForm::MessageText(const TMessagePlace& place) const {
  // The message's own line and the indented lines that go on with it (where Saxon says why).
  QString said = QString::fromUtf8(messageView_->LineAt(place.Row + 1)).trimmed();
  for (int32_t line = place.Row + 2; said.size() < 300; ++line) {
    const QString next = QString::fromUtf8(messageView_->LineAt(line));
    if (!next.startsWith(QLatin1Char(' '))) break;
    said += QLatin1Char(' ') + next.trimmed();
  }
  return said.size() > 300 ? said.left(297) + QStringLiteral("...") : said;
}

void TMainForm::ForgetMessages() {
  messageView_ = nullptr;
  messagePlaces_.clear();
  messageKinds_.clear();
  messageNames_.clear();
  currentMessage_ = -1;
}

void TMainForm::NextMessage() {
  if (messagePlaces_.empty()) {
    Note(QStringLiteral("No message names a place in the documents."));
    return;
  }
  FollowMessage((currentMessage_ + 1) % MessageCount());
}

void TMainForm::FollowMessage(int32_t index) {
  if (index < 0 || index >= MessageCount() || !messageView_) return;
  currentMessage_ = index;
  const TMessagePlace& place = messagePlaces_[static_cast<size_t>(index)];
  // The message itself is marked in its view, so that going back shows which one it was.
  messageView_->ShowCaretAt(place.Row + 1, place.Start + 1);
  const TDocKind kind = messageKinds_[static_cast<size_t>(place.Document)];
  if (!OpenFlag(kind) || EditorOf(kind)->FileName != messageNames_[static_cast<size_t>(place.Document)]) {
    Note(QStringLiteral("The document of this message is no longer open."));
    return;
  }
  ShowPage(kind);
  EditorOf(kind)->ShowCaretAt(place.Line, place.Column > 0 ? place.Column : 1);
  Note(QStringLiteral("Message %1 of %2: %3").arg(index + 1).arg(MessageCount()).arg(MessageText(place)));
}

}  // namespace ql
