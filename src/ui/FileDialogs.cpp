#include "ui/FileDialogs.h"

#include <QFileDialog>

namespace kivo::ui {
namespace {

QString* Selected(const QString& selectedFilter, QString& storage) {
    storage = selectedFilter;
    return selectedFilter.isEmpty() ? nullptr : &storage;
}

}  // namespace

QStringList FileDialogs::OpenFiles(QWidget* parent, const QString& title, const QString& folder,
                                   const QString& filters, const QString& selectedFilter) {
    QString selected;
    return QFileDialog::getOpenFileNames(parent, title, folder, filters,
                                         Selected(selectedFilter, selected));
}

QString FileDialogs::OpenFile(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filters, const QString& selectedFilter) {
    QString selected;
    return QFileDialog::getOpenFileName(parent, title, folder, filters,
                                        Selected(selectedFilter, selected),
                                        QFileDialog::DontUseCustomDirectoryIcons);
}

QString FileDialogs::SaveFile(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filters, const QString& selectedFilter) {
    QString selected;
    return QFileDialog::getSaveFileName(parent, title, folder, filters,
                                        Selected(selectedFilter, selected),
                                        QFileDialog::DontConfirmOverwrite);
}

QString FileDialogs::Folder(QWidget* parent, const QString& title, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

}  // namespace kivo::ui
