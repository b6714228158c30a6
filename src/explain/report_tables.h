// The tables of the report's texts, one a language, behind Text().
#ifndef RINGCHECK_EXPLAIN_REPORT_TABLES_H
#define RINGCHECK_EXPLAIN_REPORT_TABLES_H

#include "explain/report_texts.h"

const char *EnglishText(ReportText text);
const char *RussianText(ReportText text);

#endif
