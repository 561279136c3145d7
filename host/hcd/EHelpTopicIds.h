#pragma once

// Help topics of the host's help file. Handler classes name their own topic by
// number; the host lists only the ones it refers to itself.
enum EHelpTopicIds : int {
  HELP_TOPIC_NONE = 0,
  HELP_TOPIC_HANDLER_GENERIC = 100,
};
