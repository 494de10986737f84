#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace sys {

// Runs a command handler so that no exception crosses the event loop: any failure is shown
// in the application's error box (title "系统提示", critical icon) with the exception's
// UTF-8 message. Returns true when the handler finished without one.
bool guarded(QWidget *parent, const std::function<void()> &handler);

} // namespace sys
