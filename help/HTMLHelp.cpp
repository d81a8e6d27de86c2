#include "help/HTMLHelp.h"

bool HTMLHelp::DisplayTopicURL() { return objViewer_.ShowTopic(strCHMFile_, strTopicURL_); }

void HTMLHelp::HelpClose() { objViewer_.Close(); }
