// Runs the GUI tests inside one QApplication, on the offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The offscreen platform warns about every top-level window it cannot size-hint; the warning
// says nothing about the program, so it is dropped to keep the test output readable.
QtMessageHandler defaultHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints"))) return;
    defaultHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    defaultHandler = qInstallMessageHandler(FilterMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
