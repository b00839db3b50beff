package bridgetest;

import jp.co.vorn.quendra.JSpecieAttribute;
import jp.co.vorn.quendra.JSpecieReference;

/** Every member kind the bridge supports, including those the model classes do not use. */
public class Numbers {
    public String text = "";
    public boolean flag;
    public byte b;
    public short s;
    public int i;
    public int wide;
    public long l;
    public boolean[] flags;
    public byte[] bytes;
    public short[] shorts;
    public int[] ints;
    public long[] longs;
    public int refs_n;
    public JSpecieReference[] refs;
    public JSpecieAttribute attr;
    public String[] words;
}
