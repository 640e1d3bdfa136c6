#include "ui/Fonts.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

namespace varlo
{

namespace
{

struct FaceSubstitute {
    const char *face;
    const char *substitute;
};

// Liberation Sans and Serif share the advance widths of the desktop's sans and
// serif faces, so the captions keep the widths the layout was drawn for.
constexpr FaceSubstitute FaceSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
};

constexpr int LayoutPixelsPerInch = 96;
constexpr int PointsPerInch = 72;

const char *SubstituteFor(const QString &face)
{
    for (const FaceSubstitute &entry : FaceSubstitutes) {
        if (face.compare(QLatin1String(entry.face), Qt::CaseInsensitive) == 0)
            return entry.substitute;
    }
    return nullptr;
}

} // namespace

int LayoutPixelSize(int pointSize)
{
    // Rounded like the original desktop's MulDiv: half a pixel goes up.
    return (pointSize * LayoutPixelsPerInch * 2 + PointsPerInch) / (PointsPerInch * 2);
}

QFont LayoutFont(const QFont &stored)
{
    const char *substitute = SubstituteFor(stored.family());
    if (substitute == nullptr || stored.pointSize() <= 0)
        return stored;
    QFont font = stored;
    font.setFamilies({stored.family(), QString::fromLatin1(substitute)});
    font.setPixelSize(LayoutPixelSize(stored.pointSize()));
    return font;
}

void ApplyLayoutFonts(QWidget *window)
{
    auto apply = [](QWidget *widget) {
        if (widget->testAttribute(Qt::WA_SetFont))
            widget->setFont(LayoutFont(widget->font()));
    };
    apply(window);
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *child : children)
        apply(child);
}

} // namespace varlo
