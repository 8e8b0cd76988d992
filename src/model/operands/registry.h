// The live-operand registry: the address of every constructed operand, sorted, without
// duplicates. Insertion and removal find their place by binary search; the sorted sequence is
// kept in bounded blocks so that an insertion shifts at most one block, not the whole array.
#pragma once

#include <cstddef>

class aritm;

namespace varnex::model {

void RegisterOperand(aritm* operand);
/// Removes the operand; an address not in the registry is ignored.
void UnregisterOperand(aritm* operand);
std::size_t RegisteredOperandCount();
/// The operand with the highest address, or null when the registry is empty.
aritm* LastRegisteredOperand();

}  // namespace varnex::model
