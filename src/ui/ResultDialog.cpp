#include "ui/ResultDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/Controls.h"

namespace kivo::ui {
namespace {

QCheckBox* FileBox(QWidget* parent, const char* name, const QString& caption,
                   const ResultFile& file) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setToolTip(file.path.empty() ? QString("No file") : Q(file.path));
    box->setEnabled(file.exists);
    return box;
}

}  // namespace

ResultDialog::ResultDialog(const ResultFiles& files, QWidget* parent, Opener opener)
    : QDialog(parent), files_(files), opener_(std::move(opener)) {
    setObjectName("OpenFilesWindow");
    setWindowTitle("Open Data Files");
    if (!opener_) {
        opener_ = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    }
    auto* layout = new QVBoxLayout(this);
    input_ = FileBox(this, "chkInputFile", "Input file: " + Q(FileNameOf(files.input.path)),
                     files.input);
    output_ = FileBox(this, "chkOutputFile", "Output file: " + Q(FileNameOf(files.output.path)),
                      files.output);
    statistics_ =
        FileBox(this, "chkStatisticsFile",
                "Statistics file: " + Q(FileNameOf(files.statistics.path)), files.statistics);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_ = buttons;
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("OKButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    for (QWidget* widget : std::initializer_list<QWidget*>{input_, output_, statistics_, buttons})
        layout->addWidget(widget);

    // What is checked at first: the input file when it is the only one; the
    // output and statistics files when all three exist.
    if (files.input.exists && !files.output.exists && !files.statistics.exists) {
        input_->setChecked(true);
    } else if (files.input.exists && files.output.exists && files.statistics.exists) {
        output_->setChecked(true);
        statistics_->setChecked(true);
    }
    UpdateOk();
    for (QCheckBox* box : {input_, output_, statistics_})
        connect(box, &QCheckBox::toggled, this, &ResultDialog::UpdateOk);
    connect(buttons, &QDialogButtonBox::accepted, this, &ResultDialog::OpenChecked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ResultDialog::SetPlotter(std::function<void()> plot) {
    QPushButton* button = buttons_->addButton("Plot...", QDialogButtonBox::ActionRole);
    button->setObjectName("PlotButton");
    button->setToolTip("Plot columns of the output file over time, with their statistics");
    button->setEnabled(files_.output.exists);
    connect(button, &QPushButton::clicked, this, [this, plot = std::move(plot)] {
        accept();
        plot();
    });
}

void ResultDialog::UpdateOk() {
    ok_->setEnabled(input_->isChecked() || output_->isChecked() || statistics_->isChecked());
}

void ResultDialog::OpenChecked() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::pair<QCheckBox*, const ResultFile*> boxes[] = {
        {input_, &files_.input}, {output_, &files_.output}, {statistics_, &files_.statistics}};
    for (const auto& [box, file] : boxes) {
        if (box->isChecked())
            opener_(Q(file->path));
    }
    QApplication::restoreOverrideCursor();
    accept();
}

}  // namespace kivo::ui
