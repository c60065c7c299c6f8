#pragma once
// Names a screen reader speaks for the calculator window's controls whose
// caption says nothing or says it in pictures: the displays, the yellow
// second-function pictures, the group formulas with subscripts, the frames.
#include <QString>
#include <QStringView>

namespace veltrum {

// The spoken name of the control called objectName, or an empty string
// when its own caption serves.
QString SpokenName(QStringView objectName);

}  // namespace veltrum
