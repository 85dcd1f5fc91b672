// Every resource and control identifier of the program. Shared by the .rc
// file (windres) and the C++ code, so it holds only #defines.
#ifndef RAVLO_RESOURCE_H
#define RAVLO_RESOURCE_H

#define IDD_MAIN            200
#define IDI_BIG             300   // 32 x 32
#define IDI_SMALL           301   // 64 x 64

#define IDC_STATIC          65535 // frames and labels

#define IDC_STATUS          1000
#define IDC_GENERATE        1007
#define IDC_SAVE            1008
#define IDC_INSTRUCTIONS    1009
#define IDC_ROWS            1039

// Rows-per-press buttons, named by caption. "72" sits between "14" and "15",
// there is no 1068, and the two largest come last.
#define IDC_COUNT_1         1040
#define IDC_COUNT_2         1041
#define IDC_COUNT_3         1042
#define IDC_COUNT_4         1043
#define IDC_COUNT_5         1044
#define IDC_COUNT_6         1045
#define IDC_COUNT_7         1046
#define IDC_COUNT_8         1047
#define IDC_COUNT_9         1048
#define IDC_COUNT_10        1049
#define IDC_COUNT_11        1050
#define IDC_COUNT_12        1051
#define IDC_COUNT_13        1052
#define IDC_COUNT_14        1053
#define IDC_COUNT_72        1054
#define IDC_COUNT_15        1055
#define IDC_COUNT_16        1056
#define IDC_COUNT_17        1057
#define IDC_COUNT_18        1058
#define IDC_COUNT_19        1059
#define IDC_COUNT_20        1060
#define IDC_COUNT_21        1061
#define IDC_COUNT_22        1062
#define IDC_COUNT_23        1063
#define IDC_COUNT_24        1064
#define IDC_COUNT_36        1065
#define IDC_COUNT_50        1066
#define IDC_COUNT_60        1067
#define IDC_COUNT_144       1071
#define IDC_COUNT_256       1113

#define IDC_STRYKTIPSET     1069
#define IDC_ITALIENSKA      1070
#define IDC_REF_ROW         1072
#define IDC_ENGLAND         1073
#define IDC_DRAW            1114
#define IDC_APPEND          1115
#define IDC_SWEDEN          1116
#define IDC_DRAW_INFO       1214

// Sign boxes: match m (1..13), sign k (0 = "1", 1 = "X", 2 = "2")
// has identifier IDC_SIGN_FIRST + 3*(m-1) + k.
#define IDC_SIGN_FIRST      1074
#define IDC_SIGN_LAST       1112

// "säker?" boxes: match m has IDC_SURE_FIRST + m - 1.
#define IDC_SURE_FIRST      1500
#define IDC_SURE_LAST       1512

#endif
