// Desktop services behind the platform port.
#include "gui_platform.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include "qt_text.h"

std::string GuiPlatform::ReadRegistry(sorvane::RegistryRoot, const std::string&,
                                      const std::string&) {
    return {};  // there is no registry on this desktop: every key reads blank
}

bool GuiPlatform::OpenDocument(const std::string& sjisPathOrUrl, sorvane::ShowMode) {
    const QString text = QtFromSjis(sjisPathOrUrl);
    if (text.isEmpty()) return false;
    // "scheme:" with a scheme of two or more letters is a URL; anything else (a drive letter
    // included) is a file path.
    static const QRegularExpression urlLike(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    const QUrl url = urlLike.match(text).hasMatch() ? QUrl(text) : QUrl::fromLocalFile(text);
    return QDesktopServices::openUrl(url);
}

bool GuiPlatform::StartCommand(const std::string& sjisCommandLine, sorvane::ShowMode) {
    QStringList parts = QProcess::splitCommand(QtFromSjis(sjisCommandLine));
    if (parts.isEmpty()) return false;
    const QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts);
}

void GuiPlatform::SetClipboardText(const std::string& sjisText) {
    if (QClipboard* clip = QGuiApplication::clipboard()) clip->setText(QtFromSjis(sjisText));
}

std::vector<std::string> GuiPlatform::Printers() {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(SjisFromQt(name));
    return names;
}
