// Model operations: delete, copy, transform, topology queries, and the split and merge
// operations that send the owner notifications to attributes.
#include "KernelClasses.h"
#include "ModelWalk.h"
#include "solidkernel/errors.h"
#include "solidkernel/kernelapi.h"

#include <new>

using namespace kernel_errors;

using namespace model_walk;

namespace {

template <class T, class Next>
void chain(T* first, ENTITY_LIST& seen, Next next, std::vector<T*>& out) {
    for (T* t = first; t && seen.lookup(t) < 0; t = next(t)) {
        seen.add(t);
        out.push_back(t);
    }
}

void collectFaces(ENTITY* entity, ENTITY_LIST& faces) {
    ENTITY_LIST seen;
    std::vector<LUMP*> lumps;
    std::vector<SHELL*> shells;
    std::vector<FACE*> faceList;
    if (auto* body = dynamic_cast<BODY*>(entity)) chain(body->lump(), seen, [](LUMP* l) { return l->next(); }, lumps);
    if (auto* lump = dynamic_cast<LUMP*>(entity)) lumps.push_back(lump);
    for (LUMP* l : lumps) chain(l->shell(), seen, [](SHELL* s) { return s->next(); }, shells);
    if (auto* shell = dynamic_cast<SHELL*>(entity)) shells.push_back(shell);
    for (SHELL* s : shells) chain(s->face(), seen, [](FACE* f) { return f->next(); }, faceList);
    if (auto* face = dynamic_cast<FACE*>(entity)) faceList.push_back(face);
    for (FACE* f : faceList) faces.add(f);
}

void collectCoedges(ENTITY* entity, std::vector<COEDGE*>& coedges) {
    ENTITY_LIST faces, seen;
    collectFaces(entity, faces);
    for (int i = 0; i < faces.count(); ++i) {
        std::vector<LOOP*> loops;
        chain(static_cast<FACE*>(faces[i])->loop(), seen, [](LOOP* l) { return l->next(); }, loops);
        for (LOOP* l : loops)
            for (COEDGE* c : loopRing(l->start())) coedges.push_back(c);
    }
    // Wires of the body and of its shells.
    std::vector<WIRE*> wires;
    if (auto* body = dynamic_cast<BODY*>(entity)) {
        chain(body->wire(), seen, [](WIRE* w) { return w->next(); }, wires);
        std::vector<LUMP*> lumps;
        std::vector<SHELL*> shells;
        chain(body->lump(), seen, [](LUMP* l) { return l->next(); }, lumps);
        for (LUMP* l : lumps) chain(l->shell(), seen, [](SHELL* s) { return s->next(); }, shells);
        for (SHELL* s : shells) chain(s->wire(), seen, [](WIRE* w) { return w->next(); }, wires);
    }
    for (WIRE* w : wires)
        for (COEDGE* c : loopRing(w->coedge())) coedges.push_back(c);
    if (auto* edge = dynamic_cast<EDGE*>(entity))
        if (edge->coedge()) coedges.push_back(edge->coedge());
}

}  // namespace

outcome api_del_entity(ENTITY* entity) {
    if (!entity) return outcome(kNullEntity);
    return guarded([&] {
        if (auto* attrib = dynamic_cast<ATTRIB*>(entity)) {
            attrib->lose();
            return;
        }
        ENTITY_LIST all = reachable(entity);
        for (int i = 0; i < all.count(); ++i) delete all[i];
    });
}

outcome api_copy_entity(ENTITY* entity, ENTITY*& copy) {
    copy = nullptr;
    if (!entity) return outcome(kNullEntity);
    return guarded([&] {
        ENTITY_LIST all = reachable(entity);
        std::vector<ENTITY*> copies;
        copies.reserve(static_cast<std::size_t>(all.count()));
        try {
            for (int i = 0; i < all.count(); ++i) copies.push_back(all[i]->copy_data(all));
            for (ENTITY* c : copies) c->fix_common(copies.data(), static_cast<int>(copies.size()));
        } catch (...) {
            for (ENTITY* c : copies) delete c;
            throw;
        }
        // Attributes that do not travel with copies go; the others hear of the copy.
        for (int i = 0; i < all.count(); ++i) {
            auto* attrib = dynamic_cast<ATTRIB*>(all[i]);
            if (attrib && !attrib->copyable()) static_cast<ATTRIB*>(copies[i])->lose();
        }
        for (int i = 0; i < all.count(); ++i) {
            if (dynamic_cast<ATTRIB*>(all[i])) continue;
            for (ATTRIB* a : attribsOf(all[i])) a->copy_owner(copies[i]);
        }
        copy = copies[0];
    });
}

outcome api_transform_entity(ENTITY* entity, const SPAtransf& transf) {
    auto* body = dynamic_cast<BODY*>(entity);
    if (!entity) return outcome(kNullEntity);
    if (!body) return outcome(kNotABody);
    if (transf.singular()) return outcome(kSingularTransform);
    return guarded([&] {
        if (TRANSFORM* existing = body->transform()) {
            existing->set_transform(existing->transform().then(transf));
        } else {
            auto* t = new TRANSFORM();
            t->set_transform(transf);
            body->set_transform(t);
        }
    });
}

outcome api_get_faces(ENTITY* entity, ENTITY_LIST& faces) {
    if (!entity) return outcome(kNullEntity);
    return guarded([&] { collectFaces(entity, faces); });
}

outcome api_get_edges(ENTITY* entity, ENTITY_LIST& edges) {
    if (!entity) return outcome(kNullEntity);
    return guarded([&] {
        std::vector<COEDGE*> coedges;
        collectCoedges(entity, coedges);
        for (COEDGE* c : coedges)
            if (c->edge()) edges.add(c->edge());
    });
}

outcome api_get_vertices(ENTITY* entity, ENTITY_LIST& vertices) {
    if (!entity) return outcome(kNullEntity);
    return guarded([&] {
        ENTITY_LIST edges;
        if (auto* vertex = dynamic_cast<VERTEX*>(entity)) vertices.add(vertex);
        api_get_edges(entity, edges);
        for (int i = 0; i < edges.count(); ++i) {
            auto* e = static_cast<EDGE*>(edges[i]);
            if (e->start()) vertices.add(e->start());
            if (e->end()) vertices.add(e->end());
        }
    });
}

