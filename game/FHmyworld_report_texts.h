// Fixed texts of the diary report (FHmyworld_report_texts.cpp), Shift-JIS bytes.
#pragma once

extern const char* const EventMemo[13];
extern const char* const ExtEvtMemo[8];
extern const char* const UnlockMsg[8];
extern const char kRptSeparator[];
extern const char kRptHeadFmt[];
extern const char kRptOpenFmt[];
extern const char kRptPassedFmt[];
extern const char kRptStayText[];
extern const char kRptExceptFreeText[];
extern const char kRptRunText[];
extern const char kRptBestHeadText[];
extern const char kRptFastestFmt[];
extern const char kRptAchieveHeadText[];
extern const char kRptChapterAchieveFmt[];
extern const char kRptAverageFmt[];
extern const char kRptExHeadText[];
extern const char kRptExColumnsText[];
extern const char kRptExAchieveFmt[];
extern const char kRptActivityText[];
extern const char kRptActivityFmt[];
extern const char kRptOccurText[];
extern const char kRptOccur2Text[];
extern const char kRptUnlockText[];
extern const char kRptDebugText[];
extern const char kRptTailText[];
