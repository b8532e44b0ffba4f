#include "editor/qt/EventBoundary.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

#include "toolkit/Exception.h"

namespace ql {

namespace {

TEventFailureHandler& Handler() {
  static TEventFailureHandler handler;
  return handler;
}

TEventFailureHandler& MessageHandler() {
  static TEventFailureHandler handler;
  return handler;
}

bool messageWaiting = false;

void ShowInBox(QMessageBox::Icon icon, const std::string& message) {
  QMessageBox box(icon, QGuiApplication::applicationDisplayName(), QString::fromStdString(message),
                  QMessageBox::Ok);
  box.exec();
}

}  // namespace

void SetEventFailureHandler(TEventFailureHandler handler) { Handler() = std::move(handler); }

void ReportEventFailure(const std::string& message) {
  if (messageWaiting || QCoreApplication::instance() == nullptr) return;
  messageWaiting = true;
  QTimer::singleShot(0, QCoreApplication::instance(), [message] {
    messageWaiting = false;
    const TEventFailureHandler handler = Handler();  // a copy: the handler may replace itself
    if (handler) {
      handler(message);
    } else {
      ShowInBox(QMessageBox::Critical, message);
    }
  });
}

void SetUserMessageHandler(TEventFailureHandler handler) { MessageHandler() = std::move(handler); }

void ShowUserMessage(const std::string& message) {
  const TEventFailureHandler handler = MessageHandler();
  if (handler) {
    handler(message);
  } else {
    ShowInBox(QMessageBox::Information, message);
  }
}

bool RunGuarded(const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const EAbort&) {
    return false;
  } catch (const std::exception& e) {
    ReportEventFailure(e.what());
  } catch (...) {
    ReportEventFailure("Unknown failure");
  }
  return false;
}

}  // namespace ql
