package jp.co.vorn.quendra;

/** Result of one parse: the outcome, a failure text and the model. */
public class JModelPack {
    /** 2 when the model could not be read; errmsg then says why. */
    public int result;
    public String errmsg = "";
    public JModel model = new JModel();
}
