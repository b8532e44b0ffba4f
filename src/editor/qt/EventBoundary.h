#pragma once
// Where failures stop on their way out of the editor's event handlers: no exception crosses into
// Qt's event loop. A caught failure is shown after the event has returned (never inside a paint
// or a key press), by the handler the program installs, or in a plain message box.
#include <functional>
#include <string>

namespace ql {

using TEventFailureHandler = std::function<void(const std::string& message)>;

// Replaces the handler; none restores the message box.
void SetEventFailureHandler(TEventFailureHandler handler);
// Queues a failure's message for the handler. While one message waits to be shown, further
// ones are dropped, so a failure in every paint cannot flood the screen.
void ReportEventFailure(const std::string& message);

// Messages the editor shows the user and waits for (a search that found nothing): by the
// handler the program installs, or in a plain message box. Shown at once.
void SetUserMessageHandler(TEventFailureHandler handler);
void ShowUserMessage(const std::string& message);

// Runs body and catches whatever it throws: an abort passes silently, any other failure is
// reported. False when body failed.
bool RunGuarded(const std::function<void()>& body);

}  // namespace ql
