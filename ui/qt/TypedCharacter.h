#pragma once
// What a key press types, as bytes in the locale's codec, the way a terminal keyboard
// sees it: Enter is a carriage return, Ctrl with a letter (or with @ [ \ ] ^ _) is its
// control character whatever text the platform attached to the event, and Delete,
// arrows, function keys and lone modifiers type nothing.

#include <QKeyEvent>

#include <string>

namespace pellow {

// Empty when the key types no character.
std::string TypedCharacter(const QKeyEvent& event);

} // namespace pellow
