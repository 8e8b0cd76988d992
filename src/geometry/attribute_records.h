// The attribute records of a body in the body text (internal).
//
// One record per attribute: the kind letter of the entity it hangs on (B body, L lump, S shell,
// F face, P loop, W wire, E edge, V vertex, C coedge), the entity's index among the body's
// pieces of that kind (for a coedge: its loop's or wire's index among the body's wires, then its
// position in it; otherwise -1), the class's identifier chain, the number of fields and the
// fields. Texts are written as s<length>:<bytes>, integers as i<value>, doubles as d<value>.
#pragma once

#include <string>

class BODY;

/// The records of every attribute on `body` and its pieces; `count` receives their number.
std::string SaveAttributeRecords(BODY* body, int& count);
/// Puts the attributes of `records` on `body` (whose shape was just restored). Records of
/// unknown classes are skipped. Returns false for damaged records (nothing is undone: the
/// caller deletes the body).
bool RestoreAttributeRecords(BODY* body, const std::string& records, int count);
