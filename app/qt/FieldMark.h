#pragma once

#include <QString>

class QWidget;

namespace curvix {

// The dynamic property that is true while a field is marked.
inline constexpr char kFieldMarkedProperty[] = "markedInError";
// The colour of the frame around a marked field.
inline constexpr unsigned kFieldMarkColor = 0xd01716;

// Marks an input field as desktop forms mark a field in error: a red
// frame, and problems (plain text, one problem a line) as its tooltip and
// accessible description. Marking a marked field replaces its problems.
void MarkField(QWidget* field, const QString& problems);
// Takes the mark off again: the field gets back the style sheet, tooltip
// and description it had before it was marked. Nothing happens to a field
// that is not marked.
void UnmarkField(QWidget* field);
bool IsFieldMarked(const QWidget* field);

} // namespace curvix
