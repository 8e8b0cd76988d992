// Which geometric object holds which body or face: written beside the bodies of a package (its
// "NB-FILE" section), so that a restored model's objects hold their bodies again.
#pragma once

#include <cstdio>

class ENTITY;
class geo_list;

namespace varnex::modelstore {

/// The bodies a restore put into the model, in the order of the package's body list.
void ForgetRestoredBodies();
void NoteRestoredBody(ENTITY* body);

/// Writes one line per entity held by a geometric object of the current model: "B i NAME" for
/// the i-th body of `bodies`, "F i j NAME" for its j-th face. The number of lines written, or
/// -1 when the write failed.
int WriteBodyLinks(std::FILE* file, geo_list* bodies);
/// Gives the objects named in the lines the entities of the bodies restored last. Names pass
/// through the restore-name conversion. False (reported) for a damaged line; lines naming no
/// geometric object or no restored entity are skipped.
bool ReadBodyLinks(std::FILE* file);
/// Once the objects are restored: the feature attributes of the bodies restored last name their
/// objects again, and those objects hold their faces (PVFRelinkFeatureFaces).
void RelinkRestoredBodies();

}  // namespace varnex::modelstore
