/// @file
/// Look-at camera: a record of nine doubles built from integer hundredths.
#pragma once
#include <cstdint>

/// @addtogroup gl
/// @{

/// Eye, centre and up vector, in this order; 72 bytes, owned by the caller.
struct CameraRecord {
    /// @{ where the eye is
    double EyeX, EyeY, EyeZ;
    /// @}
    /// @{ the point looked at
    double CentreX, CentreY, CentreZ;
    /// @}
    /// @{ which way is up
    double UpX, UpY, UpZ;
    /// @}
};

/// @name Each value is in hundredths (250 stands for 2.5)
/// Values 0 to 3599 go through HundredthsDouble (the lookup tables must be
/// built); any other 32-bit value, negative ones included, is divided by 100.0
/// the same way.
/// @{
void BuildCamera(CameraRecord& record, std::int32_t eyeX, std::int32_t eyeY, std::int32_t eyeZ,
                 std::int32_t centreX, std::int32_t centreY, std::int32_t centreZ,
                 std::int32_t upX, std::int32_t upY, std::int32_t upZ);   ///< fills the record
void ApplyCamera(const CameraRecord& record);   ///< selects and resets the model-view matrix, then gluLookAt
/// @}

/// @}
