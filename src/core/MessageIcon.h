#pragma once

// The icon of a message box: the checks of an application choose it, the
// dialogs show it.
enum class MessageIcon { None, Information, Exclamation, Question, Critical };
