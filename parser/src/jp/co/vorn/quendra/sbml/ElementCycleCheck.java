package jp.co.vorn.quendra.sbml;

import java.util.ArrayDeque;
import java.util.Deque;

/**
 * Refuses element lists that lead back to their own complex: the converter walks element lists
 * recursively and would never end.
 */
public final class ElementCycleCheck {
    private static final byte UNSEEN = 0;
    private static final byte ON_PATH = 1;
    private static final byte DONE = 2;

    private ElementCycleCheck() {}

    public static void check(ReaderModel model) throws ModelReadException {
        byte[] state = new byte[model.species.size() + 1];
        for (SpeciesRecord start : model.species) {
            if (state[start.number] == UNSEEN) walk(start, state);
        }
    }

    // Depth-first without recursion: a frame is a complex and the index of its next element.
    private static void walk(SpeciesRecord start, byte[] state) throws ModelReadException {
        Deque<int[]> indexes = new ArrayDeque<>();
        Deque<SpeciesRecord> path = new ArrayDeque<>();
        path.push(start);
        indexes.push(new int[] {0});
        state[start.number] = ON_PATH;
        while (!path.isEmpty()) {
            SpeciesRecord species = path.peek();
            int[] next = indexes.peek();
            if (!species.hasElements() || next[0] >= species.elements.size()) {
                state[species.number] = DONE;
                path.pop();
                indexes.pop();
                continue;
            }
            SpeciesRecord element = species.elements.get(next[0]++).species;
            if (state[element.number] == ON_PATH) {
                throw ModelReadException.at(element.line, element.describe()
                        + " is an element of itself (through the element lists of its complexes)");
            }
            if (state[element.number] == UNSEEN) {
                state[element.number] = ON_PATH;
                path.push(element);
                indexes.push(new int[] {0});
            }
        }
    }
}
