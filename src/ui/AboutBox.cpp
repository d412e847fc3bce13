#include "ui/AboutBox.h"

#include <sqlite3.h>

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include "ui/WindowTexts.h"

extern "C" {
#include <libavutil/avutil.h>
}

namespace kivo::ui {

QString AboutBox::VersionText() {
    return QString("Kivo %1\nQt %2 (built with %3)\nFFmpeg %4\nSQLite %5\n%6")
        .arg(kVersion, qVersion(), QT_VERSION_STR, av_version_info(), sqlite3_libversion(),
             QSysInfo::prettyProductName());
}

AboutBox::AboutBox(UserPrompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt) {
    setObjectName("AboutWindow");
    setWindowTitle("Info");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Kivo", this);
    title->setObjectName("lblTitle");
    QFont font = title->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    title->setFont(font);
    auto* version = new QLabel(QString("Version ") + kVersion, this);
    version->setObjectName("lblVersion");
    auto* versions = new QPlainTextEdit(VersionText(), this);
    versions->setObjectName("txtVersions");
    versions->setReadOnly(true);
    versions->setMaximumHeight(versions->fontMetrics().height() * 7);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(versions);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton("&Copy", this);
    copy->setObjectName("cmdCopyVersions");
    copy->setToolTip("Copy the versions to the clipboard");
    auto* systemInfo = new QPushButton("&System Info...", this);
    systemInfo->setObjectName("cmdSysInfo");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    buttons->addWidget(copy);
    buttons->addWidget(systemInfo);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this,
            [] { QApplication::clipboard()->setText(VersionText()); });
    connect(systemInfo, &QPushButton::clicked, this, &AboutBox::SystemInformation);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::SystemInformation() {
    // This platform has no system information tool to start.
    prompt_.Tell(PromptId::SystemInformationUnavailable, std::string(kSystemInformationUnavailable),
                 PromptIcon::None);
}

}  // namespace kivo::ui
