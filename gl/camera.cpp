// Look-at camera for drawing with the toolkit.
// Depends on: NumberTable (mathlib) for BuildCamera, a current OpenGL context
// and glu32 for ApplyCamera.
// Limits: a degenerate camera (eye on centre, up along the view) is passed to
// gluLookAt as it is.
#include "gl/camera.h"

#include <cstddef>

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "mathlib/tables.h"

static_assert(sizeof(CameraRecord) == 72);
static_assert(offsetof(CameraRecord, CentreX) == 24 && offsetof(CameraRecord, UpZ) == 64);

namespace {

double HundredthsOf(std::int32_t value) {
    // NumberTable covers 0 to 3599 only; outside it the same division is done
    // directly, so nothing is read beyond the table.
    if (value < 0 || value >= TableEntries) return double(value) / 100.0;
    double result = 0.0;
    HundredthsDouble(result, value);
    return result;
}

}  // namespace

void BuildCamera(CameraRecord& record, std::int32_t eyeX, std::int32_t eyeY, std::int32_t eyeZ,
                 std::int32_t centreX, std::int32_t centreY, std::int32_t centreZ,
                 std::int32_t upX, std::int32_t upY, std::int32_t upZ) {
    record.EyeX = HundredthsOf(eyeX);
    record.EyeY = HundredthsOf(eyeY);
    record.EyeZ = HundredthsOf(eyeZ);
    record.CentreX = HundredthsOf(centreX);
    record.CentreY = HundredthsOf(centreY);
    record.CentreZ = HundredthsOf(centreZ);
    record.UpX = HundredthsOf(upX);
    record.UpY = HundredthsOf(upY);
    record.UpZ = HundredthsOf(upZ);
}

void ApplyCamera(const CameraRecord& record) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(record.EyeX, record.EyeY, record.EyeZ, record.CentreX, record.CentreY, record.CentreZ,
              record.UpX, record.UpY, record.UpZ);
}
