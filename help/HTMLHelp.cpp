#include "help/HTMLHelp.h"

bool HTMLHelp::DisplayTopicURL() { return objViewer.ShowTopic(strCHMFile, strTopicURL); }

void HTMLHelp::HelpClose() { objViewer.Close(); }
