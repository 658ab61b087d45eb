// The driver's own paper, media-type and tray tables: the lists a printer
// offers before its model description narrows them. Names are the built-in
// texts, used when the resource module gives none.
#include "base/tray_ids.h"
#include "session/global_list.h"

const BuiltinPaper kBuiltinPapers[] = {
    {u"same as original", 0, 0, 0, 20551, 20372},
    {u"A3", 8, 2970, 4200, 20518, 20103},
    {u"A4", 9, 2100, 2970, 20519, 20104},
    {u"A5", 11, 1480, 2100, 20520, 20105},
    {u"A6", 70, 1050, 1480, 20521, 20174},
    {u"B4", 12, 2570, 3640, 20522, 20106},
    {u"B5", 13, 1820, 2570, 20523, 20107},
    {u"B6", 88, 1280, 1820, 20524, 20108},
    {u"Foolscap", 258, 2160, 3400, 20525, 20113},
    {u"Tabloid", 3, 2794, 4318, 20526, 20245},
    {u"Legal", 5, 2159, 3556, 20527, 20110},
    {u"Legal-PH", 263, 2159, 3302, 20528, 20114},
    {u"Letter", 1, 2159, 2794, 20529, 20111},
    {u"Statement", 6, 1397, 2159, 20530, 20112},
    {u"A3W", 257, 3160, 4600, 20531, 20173},
    {u"ハガキ", 43, 1000, 1480, 20532, 20243},
    {u"角0", 259, 2870, 3820, 20533, 20161},
    {u"角1", 260, 2700, 3820, 20534, 20162},
    {u"角2", 71, 2400, 3320, 20535, 20163},
    {u"角3", 72, 2160, 2770, 20536, 20171},
    {u"長3", 73, 1200, 2350, 20537, 20164},
    {u"長4", 74, 900, 2050, 20538, 20165},
    {u"C4", 30, 2290, 3240, 20539, 20166},
    {u"C5", 28, 1620, 2290, 20540, 20167},
    {u"C6", 31, 1140, 1620, 20541, 20168},
    {u"DL-R", 27, 1100, 2200, 20542, 20244},
    {u"Envelope1 9x12", 261, 2286, 3048, 20543, 20169},
    {u"Envelope2 10x13", 262, 2540, 3302, 20544, 20170},
    {u"No.10 Envelope", 20, 1048, 2413, 20545, 20246},
    {u"8K", 264, 2700, 3900, 20546, 20115},
    {u"16K", 265, 1950, 2700, 20547, 20116},
    {u"Form A", 266, 2330, 2960, 20837, 20837},
    {u"Form B", 267, 2330, 3910, 20838, 20838},
    {u"Form C", 268, 2430, 2960, 20839, 20839},
    {u"custom", 256, 0, 0, 20248, 20248},
};
const int kBuiltinPaperCount = sizeof(kBuiltinPapers) / sizeof(kBuiltinPapers[0]);

const BuiltinMedia kBuiltinMedia[] = {
    {u"指定しない", 257, 20232},
    {u"普通紙", 258, 20026},
    {u"IJ用紙", 259, 20027},
    {u"IJマット用紙", 260, 20028},
    {u"高品位紙", 261, 20029},
    {u"IJハガキ", 262, 20030},
    {u"軽量紙", 263, 20182},
    {u"更紙", 264, 20580},
    {u"圧着紙", 266, 21010},
};
const int kBuiltinMediaCount = sizeof(kBuiltinMedia) / sizeof(kBuiltinMedia[0]);

const BuiltinTray kBuiltinTrays[] = {
    {u"オート", 7, 64025, 20025},
    {u"給紙台", kTrayStandardFeed, 64094, 20102},
    {u"大容量給紙ユニット", kTrayHighCapacity, 64094, 20183},
    {u"トレイ１", kTray1, 64026, 20099},
    {u"トレイ２", kTray2, 64027, 20100},
    {u"トレイ３", kTray3, 64028, 20101},
    {u"表紙インサーター", kTrayCoverInserter, 64094, 20985},
};
const int kBuiltinTrayCount = sizeof(kBuiltinTrays) / sizeof(kBuiltinTrays[0]);
