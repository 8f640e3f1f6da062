// Topology edits that send the owner notifications: splitting an edge at a parameter,
// splitting a face between two vertices of a loop, and merging two faces across an edge.
#include "ModelWalk.h"
#include "solidkernel/tolerance.h"

using namespace kernel_errors;
using namespace model_walk;

namespace {

template <class T>
T* freshCopy(const T* source) {
    auto* copy = static_cast<T*>(source->make_copy());
    copy->set_attrib(nullptr);
    return copy;
}

ENTITY* copyGeometry(const ENTITY* geometry) {
    if (!geometry) return nullptr;
    ENTITY* copy = geometry->make_copy();
    copy->set_attrib(nullptr);
    return copy;
}

void notifySplit(ENTITY* owner, ENTITY* part) {
    for (ATTRIB* a : attribsOf(owner)) a->split_owner(part);
}

}  // namespace

outcome api_split_edge(EDGE* edge, double param, EDGE*& newEdge) {
    newEdge = nullptr;
    if (!edge) return outcome(kNullEntity);
    if (!edge->geometry() || !(param > edge->start_param() && param < edge->end_param()))
        return outcome(kBadParameter);
    return guarded([&] {
        auto* vertex = new VERTEX();
        vertex->set_geometry(new APOINT(edge->eval_position(param)));
        EDGE* added = freshCopy(edge);
        added->set_geometry(copyGeometry(edge->geometry_entity()));
        added->set_start(vertex);
        added->set_end(edge->end());
        added->set_params(param, edge->end_param());
        if (edge->end() && edge->end()->edge() == edge) edge->end()->set_edge(added);
        edge->set_end(vertex);
        edge->set_params(edge->start_param(), param);
        vertex->set_edge(edge);

        // Each coedge on the edge gets a partner piece on the new edge, next in its loop.
        std::vector<COEDGE*> olds = partnerRing(edge->coedge());
        std::vector<COEDGE*> news;
        for (COEDGE* c : olds) {
            COEDGE* piece = freshCopy(c);
            piece->set_edge(added);
            piece->set_geometry(nullptr);
            if (!c->reversed()) {
                piece->set_previous(c);
                piece->set_next(c->next());
                if (c->next()) c->next()->set_previous(piece);
                c->set_next(piece);
            } else {
                piece->set_next(c);
                piece->set_previous(c->previous());
                if (c->previous()) c->previous()->set_next(piece);
                c->set_previous(piece);
            }
            news.push_back(piece);
        }
        for (std::size_t i = 0; i < news.size(); ++i) news[i]->set_partner(news[(i + 1) % news.size()]);
        added->set_coedge(news.empty() ? nullptr : news.front());
        newEdge = added;
        notifySplit(edge, added);
        for (std::size_t i = 0; i < olds.size(); ++i) notifySplit(olds[i], news[i]);
    });
}

outcome api_split_face(FACE* face, VERTEX* first, VERTEX* second, FACE*& newFace) {
    newFace = nullptr;
    if (!face || !first || !second) return outcome(kNullEntity);
    if (first == second || !first->geometry() || !second->geometry()) return outcome(kBadParameter);
    // The loop holding both vertices, and the coedges that start at them.
    LOOP* loop = nullptr;
    COEDGE *atFirst = nullptr, *atSecond = nullptr;
    ENTITY_LIST seenLoops;
    for (LOOP* l = face->loop(); l && seenLoops.lookup(l) < 0 && !loop; l = l->next()) {
        seenLoops.add(l);
        COEDGE *a = nullptr, *b = nullptr;
        for (COEDGE* c : loopRing(l->start())) {
            if (c->start() == first) a = c;
            if (c->start() == second) b = c;
        }
        if (a && b) {
            loop = l;
            atFirst = a;
            atSecond = b;
        }
    }
    if (!loop) return outcome(kBadParameter);
    return guarded([&] {
        SPAposition p = first->geometry()->coords(), q = second->geometry()->coords();
        double len = distance(p, q);
        if (len < SPAresabs) kernel_fail(kDegenerateGeometry);
        auto* line = new STRAIGHT();
        line->root = p;
        line->direction = (1.0 / len) * (q - p);
        auto* edge = new EDGE();
        edge->set_start(first);
        edge->set_end(second);
        edge->set_params(0.0, len);
        edge->set_geometry(line);

        auto* forward = new COEDGE();   // first -> second, stays with the face
        auto* backward = new COEDGE();  // second -> first, bounds the new face
        forward->set_edge(edge);
        backward->set_edge(edge);
        backward->set_reversed(true);
        forward->set_partner(backward);
        backward->set_partner(forward);
        edge->set_coedge(forward);

        COEDGE* beforeFirst = atFirst->previous();
        COEDGE* beforeSecond = atSecond->previous();
        beforeFirst->set_next(forward);
        forward->set_previous(beforeFirst);
        forward->set_next(atSecond);
        atSecond->set_previous(forward);
        beforeSecond->set_next(backward);
        backward->set_previous(beforeSecond);
        backward->set_next(atFirst);
        atFirst->set_previous(backward);

        FACE* added = freshCopy(face);
        added->set_geometry(copyGeometry(face->geometry_entity()));
        auto* newLoop = new LOOP();
        newLoop->set_face(added);
        newLoop->set_start(atFirst);
        added->set_loop(newLoop);
        added->set_next(face->next());
        face->set_next(added);
        forward->set_owner(loop);
        loop->set_start(forward);
        for (COEDGE* c : loopRing(atFirst)) c->set_owner(newLoop);
        newFace = added;
        notifySplit(face, added);
    });
}

outcome api_merge_faces(FACE* keep, FACE* gone) {
    if (!keep || !gone) return outcome(kNullEntity);
    if (keep == gone || keep->shell() != gone->shell() || !keep->shell()) return outcome(kBadParameter);
    // A coedge of `keep` whose only partner lies on `gone`.
    COEDGE *mine = nullptr, *theirs = nullptr;
    ENTITY_LIST seen;
    for (LOOP* l = keep->loop(); l && seen.lookup(l) < 0 && !mine; l = l->next()) {
        seen.add(l);
        for (COEDGE* c : loopRing(l->start())) {
            COEDGE* p = c->partner();
            auto* pl = p ? dynamic_cast<LOOP*>(p->owner()) : nullptr;
            if (p && p != c && p->partner() == c && pl && pl->face() == gone) {
                mine = c;
                theirs = p;
                break;
            }
        }
    }
    if (!mine || mine->next() == mine || theirs->next() == theirs) return outcome(kBadParameter);
    return guarded([&] {
        auto* keepLoop = static_cast<LOOP*>(mine->owner());
        auto* goneLoop = static_cast<LOOP*>(theirs->owner());
        EDGE* shared = mine->edge();
        COEDGE *p1 = mine->previous(), *n1 = mine->next(), *p2 = theirs->previous(), *n2 = theirs->next();
        for (VERTEX* v : {shared->start(), shared->end()})
            if (v && v->edge() == shared) v->set_edge(v == mine->start() ? p1->edge() : n1->edge());
        p1->set_next(n2);
        n2->set_previous(p1);
        p2->set_next(n1);
        n1->set_previous(p2);
        if (keepLoop->start() == mine) keepLoop->set_start(n1);
        for (COEDGE* c : loopRing(n1)) c->set_owner(keepLoop);

        // The other loops of `gone` become holes of `keep`; `gone` leaves its shell.
        std::vector<LOOP*> others;
        ENTITY_LIST seenLoops;
        for (LOOP* l = gone->loop(); l && seenLoops.lookup(l) < 0; l = l->next()) {
            seenLoops.add(l);
            if (l != goneLoop) others.push_back(l);
        }
        for (LOOP* l : others) {
            l->set_face(keep);
            l->set_next(keep->loop());
            keep->set_loop(l);
        }
        SHELL* shell = keep->shell();
        if (shell->face() == gone) {
            shell->set_face(gone->next());
        } else {
            ENTITY_LIST seenFaces;
            for (FACE* f = shell->face(); f && seenFaces.lookup(f) < 0; f = f->next()) {
                seenFaces.add(f);
                if (f->next() == gone) {
                    f->set_next(gone->next());
                    break;
                }
            }
        }
        for (ATTRIB* a : attribsOf(gone)) a->merge_owner(keep, 1);
        for (ATTRIB* a : attribsOf(keep)) a->merge_owner(gone, 0);
        destroy(shared->geometry_entity());
        destroy(shared);
        destroy(mine);
        destroy(theirs);
        destroy(goneLoop);
        if (gone->geometry_entity() != keep->geometry_entity()) destroy(gone->geometry_entity());
        destroy(gone);
    });
}
