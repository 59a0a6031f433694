#include "FieldMark.h"

#include <QColor>
#include <QTextDocument>
#include <QWidget>

namespace curvix {
namespace {

// What the field had before it was marked.
constexpr char kStyleBefore[] = "markedInError.styleSheet";
constexpr char kToolTipBefore[] = "markedInError.toolTip";
constexpr char kDescriptionBefore[] = "markedInError.description";

QString MarkStyleSheet(const QWidget* field) {
    // Selected by the field's class, so that its tooltip keeps its look.
    return QStringLiteral("%1 { border: 2px solid %2; }")
        .arg(QString::fromLatin1(field->metaObject()->className()),
             QColor(QRgb(kFieldMarkColor)).name());
}

} // namespace

void MarkField(QWidget* field, const QString& problems) {
    if (field == nullptr)
        return;
    if (!IsFieldMarked(field)) {
        field->setProperty(kStyleBefore, field->styleSheet());
        field->setProperty(kToolTipBefore, field->toolTip());
        field->setProperty(kDescriptionBefore, field->accessibleDescription());
        field->setProperty(kFieldMarkedProperty, true);
        field->setStyleSheet(MarkStyleSheet(field));
    }
    // A tooltip that looks like markup would be shown as markup.
    field->setToolTip(Qt::mightBeRichText(problems)
                          ? Qt::convertFromPlainText(problems, Qt::WhiteSpacePre)
                          : problems);
    field->setAccessibleDescription(problems);
}

void UnmarkField(QWidget* field) {
    if (field == nullptr || !IsFieldMarked(field))
        return;
    field->setStyleSheet(field->property(kStyleBefore).toString());
    field->setToolTip(field->property(kToolTipBefore).toString());
    field->setAccessibleDescription(field->property(kDescriptionBefore).toString());
    field->setProperty(kFieldMarkedProperty, false);
}

bool IsFieldMarked(const QWidget* field) {
    return field != nullptr && field->property(kFieldMarkedProperty).toBool();
}

} // namespace curvix
