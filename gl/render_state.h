/// @file
/// Global fixed-function render state and frame clearing.
#pragma once

/// @addtogroup gl
/// @{

/// @name Depth test, lighting, smooth shading, 2D texturing, normalising, blending with source GL_ONE_MINUS_SRC_ALPHA and destination GL_SRC_ALPHA (a fragment of alpha 1.0 leaves the colour buffer as it was, alpha 0.0 replaces it), and the nicest perspective correction
/// Line smoothing is only kept on (width 0.1) where it is already on: in a
/// fresh context it stays off and lines stay 1.0 wide.
/// @{
int SetupRenderState();   ///< sets the state above; returns 0
int ClearGLFrame();       ///< clears colour and depth, resets the current matrix; returns 0
/// @}

/// @}
