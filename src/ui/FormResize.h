#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <vector>

#include "ui/FormGeometry.h"

namespace kivo::ui {

// The name of the widget property that holds a control's resize tag (see
// FormGeometry.h). Widgets without the property are not recorded: they are
// placed by a layout or belong to a composite control.
inline constexpr const char* kResizeTagProperty = "resizeTag";

// Gives `widget` its design geometry and its resize tag.
void PlaceControl(QWidget* widget, const QRect& geometry, const char* tag);

// Records every tagged widget of a form once, at the form's design size, and
// re-places them when the form's inner size changes.
class FormResize {
  public:
    // Records the tagged descendants of `form`, whose inner size is `designSize`.
    void Record(QWidget* form, QSize designSize);
    QWidget* Form() const { return form_; }

    // Re-applies every record to the inner size `size`. An empty size (a
    // minimised window) changes nothing.
    void Resize(QSize size);

  private:
    struct Entry {
        QPointer<QWidget> widget;
        QByteArray tag;
        ControlKind kind;
        ResizeRecord record;
        ControlBox box;  // the box last applied (exact, before rounding)
    };
    QWidget* form_ = nullptr;
    std::vector<Entry> entries_;
};

}  // namespace kivo::ui
