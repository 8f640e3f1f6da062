// The kernel's API for models: restoring and saving entity text through a FileInterface,
// deleting, copying and transforming entities, listing their faces, edges and vertices,
// and the operations that split and merge topology. Every call catches its own failures
// and answers with an outcome.
#pragma once

#include "solidkernel/attrib.h"
#include "solidkernel/entity.h"
#include "solidkernel/fileif.h"
#include "solidkernel/geometry.h"
#include "solidkernel/outcome.h"
#include "solidkernel/topology.h"

// Restores every top-level entity of the text into list. On failure nothing restored
// stays alive and the list is left as it was.
outcome api_restore_entity_list_file(FileInterface* file, ENTITY_LIST& list);
// Saves the entities (and everything they refer to) in the save version set by
// api_save_version, with the file information set by api_set_file_info.
outcome api_save_entity_list_file(FileInterface* file, ENTITY_LIST& list);

// Deletes a top-level entity (a body) or an attribute, with everything it owns.
outcome api_del_entity(ENTITY* entity);
// Copies a body (with its geometry and copyable attributes; copy_owner notified).
outcome api_copy_entity(ENTITY* entity, ENTITY*& copy);
// Moves a body: its transform becomes the given one applied after its present one.
outcome api_transform_entity(ENTITY* entity, const SPAtransf& transf);

outcome api_get_faces(ENTITY* entity, ENTITY_LIST& faces);
outcome api_get_edges(ENTITY* entity, ENTITY_LIST& edges);
outcome api_get_vertices(ENTITY* entity, ENTITY_LIST& vertices);

// Splits an edge at a curve parameter strictly inside it: the edge keeps its start, a new
// edge runs from the new vertex to the old end (split_owner sent to the edge's attributes).
outcome api_split_edge(EDGE* edge, double param, EDGE*& newEdge);
// Splits a face along a new straight edge between two vertices of one of its loops; the
// part after the first vertex becomes a new face on a copy of the surface.
outcome api_split_face(FACE* face, VERTEX* first, VERTEX* second, FACE*& newFace);
// Merges two faces of one shell that share an edge: the shared edge goes, the loops join,
// `gone` is deleted (merge_owner sent to both faces' attributes).
outcome api_merge_faces(FACE* keep, FACE* gone);
