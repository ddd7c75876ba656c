// Resource and control ids of the plug-in's options dialog. Plain macros, so that the resource
// script can include this header as well as the C++ code.
#pragma once

// The options dialog (modal, "Vistrel Vsf Export").
#define IDD_VSF_OPTIONS 116

// Its controls. The OK and Cancel buttons carry the standard ids 1 and 2.
#define IDC_CURVES_GROUP 1024
#define IDC_HAIR_AND_FUR 1025
#define IDC_GENERAL_GROUP 1027
#define IDC_GENERAL_CURVES 1028
#define IDC_CURVE_RADIUS_SLIDER 1029
#define IDC_CURVE_RADIUS_TEXT 1031
#define IDC_CAMERAS 1032
#define IDC_LIGHTS_GROUP 1033
#define IDC_PHOTOMETRIC_LIGHTS 1034
#define IDC_BONES 1035
#define IDC_TRANSFORM_ANIMATIONS 1036
#define IDC_CAMERA_ANIMATIONS 1037
#define IDC_LAYERS 1038
#define IDC_ANIMATIONS_GROUP 1039
#define IDC_DEFORMABLE 1040
