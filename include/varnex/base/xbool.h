// The result type of every predicate of the engine.
#pragma once

enum XBOOL { FALSE = 0, TRUE = 1 };

inline XBOOL ToXBool(bool b) {
  return b ? TRUE : FALSE;
}
