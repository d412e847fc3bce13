#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace kivo::ui {

// The file dialogs of the window. Tests put a scripted chooser in their place.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // Several files to open; none when cancelled.
    virtual QStringList OpenFiles(QWidget* parent, const QString& title, const QString& folder,
                                  const QString& filters, const QString& selectedFilter);
    // One file to open; empty when cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filters, const QString& selectedFilter);
    // A file to save; empty when cancelled. Replacing a file is asked by the
    // caller, not by the dialog.
    virtual QString SaveFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filters, const QString& selectedFilter);
    // A folder; empty when cancelled.
    virtual QString Folder(QWidget* parent, const QString& title, const QString& folder);
};

// The filters of the dialogs, in the toolkit's filter syntax.
inline const QString kDataFileFilters =
    "All Files (*);;Data Files (*.csv *.tsv *.dat *.tab *.txt);;Comma Separated Values Files "
    "(*.csv);;Tab Separated Values Files (*.tsv);;Delimiter Separated Values Files (*.dat *.tab "
    "*.txt)";
inline const QString kVideoFileFilters =
    "All Files (*);;AVI Files (*.avi);;Video Files (*.avi *.mp4 *.mkv *.mov *.m4v *.webm)";
inline const QString kSettingsFileFilters = "All Files (*);;Setting Files (*.set)";
inline const QString kSettingsFileFilter = "Setting Files (*.set)";
inline const QString kBindingsFileFilters = "All Files (*);;Bindings Files (*.txt)";

}  // namespace kivo::ui
