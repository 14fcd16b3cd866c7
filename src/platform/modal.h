// The one function through which every window is shown modally. The program
// runs exec(); a test registers, per window class, a handler that fills the
// window's controls and closes it with a result.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

namespace platform {

using ModalHandler = std::function<int(QDialog&)>;

// Shows `dialog` modally (or hands it to the handler registered for its class) and returns its result.
int runModal(QDialog& dialog);
// Registers a handler for windows of class `className` (the QObject class
// name); an empty handler removes it.
void setModalHandler(const QString& className, ModalHandler handler);
void clearModalHandlers();
// What runs for a window no handler is registered for, instead of exec()
// (headless test runs install one that refuses, so nothing waits for a user).
void setModalFallback(ModalHandler handler);

}  // namespace platform
